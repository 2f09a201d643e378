// What a font table needs of MD_MAX72xx.h, declared as the library declares
// it, so that the table compiles as it would in a sketch; on AVR,
// <avr/pgmspace.h> comes first and gives PROGMEM and pgm_read_byte.
#pragma once
#include <stdint.h>
#ifndef PROGMEM
#define PROGMEM
#define pgm_read_byte(addr) (*(const unsigned char *)(addr))
#endif

class MD_MAX72XX
{
public:
    typedef const uint8_t fontType_t;
};
