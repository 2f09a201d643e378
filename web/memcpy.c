/* memcpy for the page's WebAssembly. Emscripten's own copies byte by byte
 * whenever source and destination differ in alignment, which is nearly always
 * as a conversion appends its lines of 40-odd bytes one after another; that
 * alone made a conversion twice as slow as it need be. WebAssembly loads and
 * stores at any address, so this copies 8 bytes at a time regardless. It
 * takes the place of the C library's, a weak symbol that a program may
 * replace. */
#include <stddef.h>
#include <stdint.h>

/* Words read and written at any address, as any type, as a C library's
 * own copying does. */
typedef uint64_t __attribute__((__may_alias__, aligned(1))) Unaligned64;
typedef uint32_t __attribute__((__may_alias__, aligned(1))) Unaligned32;

/* Emscripten's copy of a large block through the JavaScript heap view. */
void *emscripten_memcpy_big(void *dest, const void *src, size_t n);

void *memcpy(void *restrict dest, const void *restrict src, size_t n)
{
    unsigned char *d = dest;
    const unsigned char *s = src;
    /* A call out to JavaScript costs as much as copying a few thousand
     * bytes here: a conversion in a large cell appends lines of 800. */
    if (n >= 32768) {
        emscripten_memcpy_big(dest, src, n);
        return dest;
    }
    for (; n >= 8; n -= 8, d += 8, s += 8)
        *(Unaligned64 *)d = *(const Unaligned64 *)s;
    if (n >= 4) {
        *(Unaligned32 *)d = *(const Unaligned32 *)s;
        n -= 4;
        d += 4;
        s += 4;
    }
    while (n-- > 0)
        *d++ = *s++;
    return dest;
}
