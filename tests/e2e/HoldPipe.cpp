// Holds a named pipe open for a test, never writing to it: a program that opens the pipe
// and reads from it waits for good. The pipe's name is the command line; the program runs
// until the test ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    for (;;) {
        // A new instance for every client, so that each one's open succeeds.
        HANDLE hPipe = ::CreateNamedPipeA(lpCmdLine, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                          PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
        if (hPipe == INVALID_HANDLE_VALUE)
            return 1;
        ::ConnectNamedPipe(hPipe, nullptr);
    }
}
