// QorvUpDate.exe: a placeholder until the updater is built; it ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
