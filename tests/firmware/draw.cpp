// Draws a text with the font qxm-convert wrote to font.h, as firmware does:
// each character found through the font's lookup, its bytes read from
// program memory on AVR, its dots drawn by the loop of the library the font
// is for. Prints each character's index and length, then the dot rows as
// qxm-convert --preview prints them. Built by g++ on the host (the text is
// the argument) and as an Arduino sketch (the text is kText, over Serial).
#include "font.h"

#ifdef __AVR__
#define READ_BYTE(address) pgm_read_byte(address)
#define READ_WORD(address) pgm_read_word(address)
#define READ_POINTER(address) ((void *)pgm_read_word(address))
#else // as Adafruit_GFX.cpp reads elsewhere
#define READ_BYTE(address) (*(const unsigned char *)(address))
#define READ_WORD(address) (*(const unsigned short *)(address))
#define READ_POINTER(address) (*(address))
#endif
#ifdef ARDUINO
#include <avr/sleep.h>
#define PUT(c) Serial.write(c)
#else
#include <stdio.h>
#define PUT(c) putchar(c)
#endif

static const char kText[] = "Ag\xC3\xA9\xE2\x82\xAC"; // Agé€
static char line[200];

static void Light(int column)
{
    if (column >= 0 && column < (int)sizeof line)
        line[column] = '#';
}

#ifdef _GFXFONT_H_
static int Rows()
{
    return READ_BYTE(&LedText.yAdvance) - 1;
}
// Adafruit_GFX::write() and drawChar() for a custom font, drawing only the
// dots of one row; returns the cursor's advance.
static int DrawGlyph(int x, int row, int index)
{
    const GFXfont *gfxFont = &LedText;
    uint8_t c = (uint8_t)(LEDTEXT_FIRST + index);
    uint8_t first = READ_BYTE(&gfxFont->first);
    if (c < first || c > (uint8_t)READ_BYTE(&gfxFont->last))
        return 0;
    GFXglyph *glyph = &((GFXglyph *)READ_POINTER(&gfxFont->glyph))[c - first];
    uint8_t *bitmap = (uint8_t *)READ_POINTER(&gfxFont->bitmap);
    uint16_t bo = READ_WORD(&glyph->bitmapOffset);
    uint8_t w = READ_BYTE(&glyph->width), h = READ_BYTE(&glyph->height);
    int8_t xo = READ_BYTE(&glyph->xOffset), yo = READ_BYTE(&glyph->yOffset);
    uint8_t xx, yy, bits = 0, bit = 0;
    int y = LEDTEXT_BASELINE;
    if (w > 0 && h > 0) {
        for (yy = 0; yy < h; yy++) {
            for (xx = 0; xx < w; xx++) {
                if (!(bit++ & 7))
                    bits = READ_BYTE(&bitmap[bo++]);
                if ((bits & 0x80) && y + yo + yy == row)
                    Light(x + xo + xx);
                bits <<= 1;
            }
        }
    }
    return READ_BYTE(&glyph->xAdvance);
}
#else
static int Rows()
{
    return LEDTEXT_HEIGHT;
}
// A table of columns, each in whole bytes, the top dot in bit 0.
static int DrawGlyph(int x, int row, int index)
{
    const int perColumn = sizeof LedText[0] / LEDTEXT_WIDTH;
    for (int column = 0; column < LEDTEXT_WIDTH; ++column) {
        if ((READ_BYTE(&LedText[index][column * perColumn + row / 8]) >> (row % 8)) & 1)
            Light(x + column);
    }
    return LEDTEXT_WIDTH + 1;
}
#endif

static void PutNumber(int number)
{
    if (number < 0) {
        PUT('-');
        number = -number;
    }
    if (number >= 10)
        PutNumber(number / 10);
    PUT((char)('0' + number % 10));
}

static void Draw(const char *text)
{
    for (const char *next = text; *next;) {
        const char *start = next;
        PutNumber(LedText_Index(&next));
        PUT('+');
        PutNumber((int)(next - start));
        PUT(*next ? ' ' : '\n');
    }
    for (int row = 0; row < Rows(); ++row) {
        int x = 0;
        for (unsigned column = 0; column < sizeof line; ++column)
            line[column] = '.';
        for (const char *next = text; *next;) {
            const int index = LedText_Index(&next);
            if (index >= 0)
                x += DrawGlyph(x, row, index);
        }
        for (int column = 0; column + 1 < x; ++column)
            PUT(line[column]);
        PUT('\n');
    }
}

#ifdef ARDUINO
void setup()
{
    Serial.begin(115200);
    Draw(kText);
    Serial.flush();
    cli();
    sleep_cpu(); // simavr ends the run here
}

void loop() {}
#else
int main(int argc, char **argv)
{
    Draw(argc > 1 ? argv[1] : kText);
    return 0;
}
#endif
