#include "app/dialog/dialog_state.h"

DialogState dialogState = {};
