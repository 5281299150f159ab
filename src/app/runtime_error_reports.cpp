// setup.exe's own versions of the C++ runtime's reports of program faults.
// The runtime's versions print the fault's type, demangled, to a console this
// program does not have, and throw exception classes that bring a second
// string implementation and formatted printing with them: a third of the
// program's size for reports nobody sees. Nothing here catches those
// exceptions (only std::bad_alloc, which operator new still throws), so a
// fault ends the program at once, as it did through std::terminate.
#include <cstdlib>
#include <exception>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_length_error(const char*)
{
    std::abort();
}

void __throw_logic_error(const char*)
{
    std::abort();
}

void __throw_out_of_range(const char*)
{
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}

void __throw_invalid_argument(const char*)
{
    std::abort();
}

void __throw_bad_function_call()
{
    std::abort();
}

void __throw_bad_array_new_length()
{
    std::abort();
}

void __throw_bad_alloc()
{
    throw std::bad_alloc();
}

}  // namespace std
