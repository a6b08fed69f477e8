#include <windows.h>

#include "common/win/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Application.Initialize(instance);
    return 0;
}
