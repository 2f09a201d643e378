// Draws a text with the font qxm-convert wrote to font.h, as firmware does:
// each character found through the font's lookup, its bytes read from
// program memory on AVR, its dots drawn by the loop of the library the font
// is for. Prints the index and length of each character of the argument or
// kIndexed, then kText's dot rows as qxm-convert --preview prints them.
// Built by g++ on the host, and as an Arduino sketch that prints on Serial.
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
#include <string.h>
#ifdef ARDUINO
#include <avr/sleep.h>
#else
#include <stdio.h>
#endif

static void Print(const char *text)
{
#ifdef ARDUINO
    Serial.print(text);
#else
    fputs(text, stdout);
#endif
}

static void Print(int number)
{
#ifdef ARDUINO
    Serial.print(number);
#else
    printf("%d", number);
#endif
}

static const char kText[] = "Ag\xC3\xA9\xE2\x82\xAC"; // Agé€
// And U+120AC, which 16 bits of int would take for U+20AC, the euro sign.
static const char kIndexed[] = "Ag\xC3\xA9\xE2\x82\xAC\xF0\x92\x82\xAC";
static char line[200];

#ifdef _GFXFONT_H_
#define ROWS (READ_BYTE(&LedText.yAdvance) - 1)
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
    for (yy = 0; w > 0 && yy < h; yy++) {
        for (xx = 0; xx < w; xx++) {
            if (!(bit++ & 7))
                bits = READ_BYTE(&bitmap[bo++]);
            if ((bits & 0x80) && y + yo + yy == row && x + xo + xx < (int)sizeof line - 1)
                line[x + xo + xx] = '#';
            bits <<= 1;
        }
    }
    return READ_BYTE(&glyph->xAdvance);
}
#else
#define ROWS LEDTEXT_HEIGHT
// A table of columns, each in whole bytes, the top dot in bit 0.
static int DrawGlyph(int x, int row, int index)
{
    const int perColumn = sizeof LedText[0] / LEDTEXT_WIDTH;
    for (int column = 0; column < LEDTEXT_WIDTH && x + column < (int)sizeof line - 1; ++column) {
        if ((READ_BYTE(&LedText[index][column * perColumn + row / 8]) >> (row % 8)) & 1)
            line[x + column] = '#';
    }
    return LEDTEXT_WIDTH + 1;
}
#endif

static void Draw(const char *indexed, const char *text)
{
    for (const char *next = indexed; *next;) {
        const char *start = next;
        Print(LedText_Index(&next));
        Print("+");
        Print((int)(next - start));
        Print(*next ? " " : "\n");
    }
    for (int row = 0; row < ROWS; ++row) {
        int x = 0;
        memset(line, '.', sizeof line - 1);
        for (const char *next = text; *next;) {
            const int index = LedText_Index(&next);
            if (index >= 0)
                x += DrawGlyph(x, row, index);
        }
        line[x > 0 ? x - 1 : 0] = '\0';
        Print(line);
        Print("\n");
    }
}

#ifdef ARDUINO
void setup()
{
    Serial.begin(115200);
    Draw(kIndexed, kText);
    Serial.flush();
    cli();
    sleep_cpu(); // simavr ends the run here
}

void loop()
{
}
#else
int main(int argc, char **argv)
{
    Draw(argc > 1 ? argv[1] : kIndexed, kText);
    return 0;
}
#endif
