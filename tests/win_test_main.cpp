// Entry point of every Windows test program. MinGW's GoogleTest catches no
// structured exceptions, and Wine may end a crashed process with exit code 0,
// so a crash is turned into an exit with the exception code: ctest then
// reports the test as failed instead of hanging or passing.
#include <windows.h>

#include <gtest/gtest.h>

namespace {
LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* info)
{
    TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}
} // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(EndWithExceptionCode);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
