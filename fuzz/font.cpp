// SPDX-License-Identifier: GPL-3.0-or-later
// font.cpp: fuzz target for the font sheet scan and for measuring and drawing text with it.
#include "fuzz_support.h"
#include "frame.h"
#include "gfx.h"
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    open_fuzz_screen();
    FuzzedDataProvider input(data, size);
    std::string text = input.ConsumeRandomLengthString(256);
    int x = input.ConsumeIntegralInRange(-2000, 2000);
    int y = input.ConsumeIntegralInRange(-2000, 2000);
    std::vector<uint8_t> sheet = input.ConsumeRemainingBytes<uint8_t>();
    if (!write_bitmap_input("data/font.bmp", sheet.data(), sheet.size()))
        return 0;
    BitmapFont *sheet_font = font_init(read_bitmap("data/", "font.bmp"));
    if (!sheet_font)
        return 0;
    require(sheet_font->markers <= FONT_POSITIONS / 2, "markers fit their table");
    font_text_width(sheet_font, text.c_str());
    font_write(screen, sheet_font, x, y, text.c_str());
    font_write_centred(screen, sheet_font, y, text.c_str());
    font_free(sheet_font);
    return 0;
}
