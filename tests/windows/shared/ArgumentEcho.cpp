// Writes the argument text that WinMain received, byte for byte, to the file
// named by EDGEROAM_ARGUMENT_FILE, so that a test can compare it with ArgumentText.
#include <windows.h>

#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("EDGEROAM_ARGUMENT_FILE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    std::ofstream out(path, std::ios::binary);
    out << cmdLine;
    return out ? 0 : 3;
}
