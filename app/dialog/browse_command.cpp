#include <windows.h>
#include <commdlg.h>

#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"
#include "resources/resource.h"

namespace {

const char kPictureFilter[] =
    "画像ファイル (*.bmp; *.jpg; *.png; *.gif; *.tif)\0*.bmp;*.jpg;*.png;*.gif;*.tif\0"
    "すべてのファイル (*.*)\0*.*\0";

}  // namespace

void BrowseCommand() {
  HWND dialog = dialogState.mainDialog;
  char fileName[MAX_PATH] = {};
  ::GetDlgItemTextA(dialog, IDC_IMAGE_PATH, fileName, MAX_PATH);

  OPENFILENAMEA request = {};
  // The first platform version's layout: the request asks for nothing added later.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = dialog;
  request.lpstrFilter = kPictureFilter;
  request.lpstrFile = fileName;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (::GetOpenFileNameA(&request)) ::SetDlgItemTextA(dialog, IDC_IMAGE_PATH, fileName);
}
