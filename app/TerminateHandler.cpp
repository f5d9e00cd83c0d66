// The C++ run-time's default handler for an uncaught exception writes the
// exception's demangled type name to standard error, which a GUI program does not
// have, and linking it pulls the whole demangler into the exe (about a third of
// its size). The launcher throws nothing; the one exception that can reach the
// top is a failed allocation, and for that ending the process at once is all the
// default handler would do as well.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx
