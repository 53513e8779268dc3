// A Camera Link library that lacks clSerialClose. The program must refuse it
// whole: every function here aborts, so calling any of them fails the test.
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

extern "C" {

Q_DECL_EXPORT int32_t clSerialInit(uint32_t, void **)
{
    std::abort();
}

Q_DECL_EXPORT int32_t clSerialRead(void *, char *, uint32_t *, uint32_t)
{
    std::abort();
}

Q_DECL_EXPORT int32_t clSerialWrite(void *, char *, uint32_t *, uint32_t)
{
    std::abort();
}

} // extern "C"
