#include "core/chardata.h"

namespace qxm {

namespace {

// Each row is the five column bytes, leftmost column first, bit 6 the top
// dot and bit 0 the bottom one. Two rows differ from ASCII on purpose: the
// display's character ROM draws a yen sign at code 92 and an arrow at 126.
constexpr const char16_t *kGlyphRowTexts[kFilledSlots] = {
    u"&H00 , &H00 , &H00 , &H00 , &H00", // 32 space
    u"&H00 , &H00 , &H79 , &H00 , &H00", // 33 !
    u"&H00 , &H70 , &H00 , &H70 , &H00", // 34 quotation mark
    u"&H14 , &H7F , &H14 , &H7F , &H14", // 35 #
    u"&H12 , &H2A , &H7F , &H2A , &H24", // 36 $
    u"&H62 , &H64 , &H08 , &H13 , &H23", // 37 %
    u"&H36 , &H49 , &H55 , &H22 , &H05", // 38 &
    u"&H00 , &H50 , &H60 , &H00 , &H00", // 39 '
    u"&H00 , &H1C , &H22 , &H41 , &H00", // 40 (
    u"&H00 , &H41 , &H22 , &H1C , &H00", // 41 )
    u"&H14 , &H08 , &H3E , &H08 , &H14", // 42 asterisk
    u"&H08 , &H08 , &H3E , &H08 , &H08", // 43 +
    u"&H00 , &H05 , &H06 , &H00 , &H00", // 44 ,
    u"&H08 , &H08 , &H08 , &H08 , &H08", // 45 -
    u"&H00 , &H03 , &H03 , &H00 , &H00", // 46 .
    u"&H02 , &H04 , &H08 , &H10 , &H20", // 47 /
    u"&H3E , &H41 , &H41 , &H41 , &H3E", // 48 0
    u"&H00 , &H21 , &H7F , &H01 , &H00", // 49 1
    u"&H21 , &H43 , &H45 , &H49 , &H31", // 50 2
    u"&H42 , &H41 , &H51 , &H69 , &H46", // 51 3
    u"&H0C , &H14 , &H24 , &H7F , &H04", // 52 4
    u"&H72 , &H51 , &H51 , &H51 , &H4E", // 53 5
    u"&H1E , &H29 , &H49 , &H49 , &H06", // 54 6
    u"&H40 , &H47 , &H48 , &H50 , &H60", // 55 7
    u"&H36 , &H49 , &H49 , &H49 , &H36", // 56 8
    u"&H30 , &H49 , &H49 , &H4A , &H3C", // 57 9
    u"&H00 , &H36 , &H36 , &H00 , &H00", // 58 :
    u"&H00 , &H35 , &H36 , &H00 , &H00", // 59 ;
    u"&H08 , &H14 , &H22 , &H41 , &H00", // 60 <
    u"&H14 , &H14 , &H14 , &H14 , &H14", // 61 =
    u"&H00 , &H41 , &H22 , &H14 , &H08", // 62 >
    u"&H20 , &H40 , &H45 , &H48 , &H30", // 63 ?
    u"&H26 , &H49 , &H4F , &H41 , &H3E", // 64 at sign
    u"&H3F , &H44 , &H44 , &H44 , &H3F", // 65 A
    u"&H7F , &H49 , &H49 , &H49 , &H36", // 66 B
    u"&H3E , &H41 , &H41 , &H41 , &H22", // 67 C
    u"&H7F , &H41 , &H41 , &H22 , &H1C", // 68 D
    u"&H7F , &H49 , &H49 , &H49 , &H41", // 69 E
    u"&H7F , &H48 , &H48 , &H48 , &H40", // 70 F
    u"&H3E , &H41 , &H49 , &H49 , &H2F", // 71 G
    u"&H7F , &H08 , &H08 , &H08 , &H7F", // 72 H
    u"&H00 , &H41 , &H7F , &H41 , &H00", // 73 I
    u"&H02 , &H01 , &H41 , &H7E , &H40", // 74 J
    u"&H7F , &H08 , &H14 , &H22 , &H41", // 75 K
    u"&H7F , &H01 , &H01 , &H01 , &H01", // 76 L
    u"&H7F , &H20 , &H18 , &H20 , &H7F", // 77 M
    u"&H7F , &H10 , &H08 , &H04 , &H7F", // 78 N
    u"&H3E , &H41 , &H41 , &H41 , &H3E", // 79 O
    u"&H7F , &H48 , &H48 , &H48 , &H30", // 80 P
    u"&H3E , &H41 , &H45 , &H42 , &H3D", // 81 Q
    u"&H7F , &H48 , &H4C , &H4A , &H31", // 82 R
    u"&H31 , &H49 , &H49 , &H49 , &H46", // 83 S
    u"&H40 , &H40 , &H7F , &H40 , &H40", // 84 T
    u"&H7E , &H01 , &H01 , &H01 , &H7E", // 85 U
    u"&H7C , &H02 , &H01 , &H02 , &H7C", // 86 V
    u"&H7E , &H01 , &H06 , &H01 , &H7E", // 87 W
    u"&H63 , &H14 , &H08 , &H14 , &H63", // 88 X
    u"&H70 , &H08 , &H07 , &H08 , &H70", // 89 Y
    u"&H43 , &H45 , &H49 , &H51 , &H61", // 90 Z
    u"&H00 , &H7F , &H41 , &H41 , &H00", // 91 [
    u"&H54 , &H34 , &H1F , &H34 , &H54", // 92 backslash, drawn as a yen sign
    u"&H00 , &H41 , &H41 , &H7F , &H00", // 93 ]
    u"&H10 , &H20 , &H40 , &H20 , &H10", // 94 ^
    u"&H01 , &H01 , &H01 , &H01 , &H01", // 95 underscore
    u"&H00 , &H40 , &H20 , &H10 , &H00", // 96 grave accent
    u"&H02 , &H15 , &H15 , &H15 , &H0F", // 97 a
    u"&H7F , &H09 , &H11 , &H11 , &H0E", // 98 b
    u"&H0E , &H11 , &H11 , &H11 , &H02", // 99 c
    u"&H0E , &H11 , &H11 , &H09 , &H7F", // 100 d
    u"&H0E , &H15 , &H15 , &H15 , &H0C", // 101 e
    u"&H08 , &H3F , &H48 , &H40 , &H20", // 102 f
    u"&H18 , &H25 , &H25 , &H25 , &H3E", // 103 g
    u"&H7F , &H08 , &H10 , &H10 , &H0F", // 104 h
    u"&H00 , &H11 , &H5F , &H01 , &H00", // 105 i
    u"&H02 , &H01 , &H11 , &H5E , &H00", // 106 j
    u"&H7F , &H04 , &H0A , &H11 , &H00", // 107 k
    u"&H00 , &H41 , &H7F , &H01 , &H00", // 108 l
    u"&H1F , &H10 , &H0C , &H10 , &H0F", // 109 m
    u"&H1F , &H08 , &H10 , &H10 , &H0F", // 110 n
    u"&H0E , &H11 , &H11 , &H11 , &H0E", // 111 o
    u"&H3F , &H28 , &H28 , &H28 , &H10", // 112 p
    u"&H10 , &H28 , &H28 , &H18 , &H3F", // 113 q
    u"&H1F , &H08 , &H10 , &H10 , &H08", // 114 r
    u"&H09 , &H15 , &H15 , &H15 , &H02", // 115 s
    u"&H10 , &H7E , &H11 , &H01 , &H02", // 116 t
    u"&H1E , &H01 , &H01 , &H02 , &H1F", // 117 u
    u"&H1C , &H02 , &H01 , &H02 , &H1C", // 118 v
    u"&H1E , &H01 , &H06 , &H01 , &H1E", // 119 w
    u"&H11 , &H0A , &H04 , &H0A , &H11", // 120 x
    u"&H18 , &H05 , &H05 , &H05 , &H1E", // 121 y
    u"&H11 , &H13 , &H15 , &H19 , &H11", // 122 z
    u"&H00 , &H08 , &H36 , &H41 , &H00", // 123 {
    u"&H00 , &H00 , &H7F , &H00 , &H00", // 124 vertical bar
    u"&H00 , &H41 , &H36 , &H08 , &H00", // 125 }
    u"&H04 , &H04 , &H15 , &H0E , &H04", // 126 tilde, drawn as a right arrow
};

} // namespace

void FillCharData(CharDataTable &CharData)
{
    for (std::size_t slot = 0; slot < kFilledSlots; ++slot)
        CharData[slot] = kGlyphRowTexts[slot];
}

const CharDataTable &FilledCharData()
{
    static const CharDataTable table = [] {
        CharDataTable filled;
        FillCharData(filled);
        return filled;
    }();
    return table;
}

} // namespace qxm
