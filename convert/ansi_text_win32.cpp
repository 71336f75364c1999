#include <windows.h>

#include "convert/ansi_text.h"

bool IsAnsiLeadByte(uint8_t byte) { return ::IsDBCSLeadByte(byte) != FALSE; }
