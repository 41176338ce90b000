// SPDX-License-Identifier: GPL-3.0-or-later
// surfaces_test.cpp: bitmap loading, pixel access at every depth and the frame transforms.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <string>
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"

namespace {

SDL_Surface *surface_of_depth(int bits, Uint32 r = 0, Uint32 g = 0, Uint32 b = 0)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 4, bits, r, g, b, 0);
}

std::vector<Uint8> raw_bytes(SDL_Surface *s)
{
    const Uint8 *p = (const Uint8 *)s->pixels;
    return std::vector<Uint8>(p, p + s->pitch * s->h);
}

TEST(Pixels, ReadAndWriteAtEveryDepth)
{
    // Bits beyond the depth are dropped; the pixel to the left stays untouched.
    const struct { int bits; Uint32 r, g, b; int x, y; Uint32 put, got; } cases[] = {
        {8, 0, 0, 0, 2, 1, 0x1AB, 0xAB},
        {16, 0xF800, 0x07E0, 0x001F, 4, 3, 0x1BEEF, 0xBEEF},
        {32, 0xFF0000, 0xFF00, 0xFF, 1, 2, 0xDEADBEEF, 0xDEADBEEF},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bits);
        SDL_Surface *s = surface_of_depth(c.bits, c.r, c.g, c.b);
        put_pixel(s, c.x, c.y, c.put);
        EXPECT_EQ(c.got, get_pixel(s, c.x, c.y));
        EXPECT_EQ(0u, get_pixel(s, c.x - 1, c.y));
        if (c.bits == 8) {
            EXPECT_EQ(0xABu, ((Uint8 *)s->pixels)[s->pitch + 2]);
        }
        SDL_FreeSurface(s);
    }
}

TEST(Pixels, ThreeBytesReadThroughShiftsWrittenLowByteFirst)
{
    // Both channel orders: put ignores the shifts, get follows them.
    const Uint32 orders[2][3] = {{0xFF0000, 0xFF00, 0xFF}, {0xFF, 0xFF00, 0xFF0000}};
    for (const auto &masks : orders) {
        SDL_Surface *s = surface_of_depth(24, masks[0], masks[1], masks[2]);
        ASSERT_EQ(3, s->format->BytesPerPixel);
        put_pixel(s, 3, 2, 0xFF123456);
        const Uint8 *p = (const Uint8 *)s->pixels + 2 * s->pitch + 3 * 3;
        EXPECT_EQ(0x56, p[0]);
        EXPECT_EQ(0x34, p[1]);
        EXPECT_EQ(0x12, p[2]);

        Uint8 *q = (Uint8 *)s->pixels + s->pitch;   // pixel (0, 1)
        q[0] = 0x10, q[1] = 0x20, q[2] = 0x30;
        const SDL_PixelFormat *f = s->format;
        Uint32 expected = SDL_MapRGB(s->format, q[f->Rshift / 8], q[f->Gshift / 8], q[f->Bshift / 8]);
        EXPECT_EQ(expected, get_pixel(s, 0, 1));
        Uint8 red, green, blue;
        SDL_GetRGB(get_pixel(s, 0, 1), s->format, &red, &green, &blue);
        EXPECT_EQ(q[f->Rshift / 8], red);
        EXPECT_EQ(0x20, green);
        SDL_FreeSurface(s);
    }
}

TEST(Pixels, OutsideTheSurfaceIsRefused)
{
    SDL_Surface *s = surface_of_depth(16, 0xF800, 0x07E0, 0x001F);
    SDL_FillRect(s, nullptr, 0x1234);
    std::vector<Uint8> before = raw_bytes(s);
    const int outside[][2] = {{-1, 0}, {5, 0}, {0, -1}, {0, 4}, {100000, 100000}};
    for (const auto &xy : outside)
        put_pixel(s, xy[0], xy[1], 0xFFFF);
    EXPECT_EQ(before, raw_bytes(s));

    testing::internal::CaptureStdout();
    EXPECT_EQ(0u, get_pixel(s, -1, 0));
    EXPECT_EQ(0u, get_pixel(s, 5, 0));
    EXPECT_EQ("x too small in GetPixel!\nx too big in GetPixel!\n",
              testing::internal::GetCapturedStdout());
    EXPECT_EQ(0u, get_pixel(s, 0, -1));
    EXPECT_EQ(0u, get_pixel(s, 0, 4));
    EXPECT_EQ(0x1234u, get_pixel(s, 4, 3));
    SDL_FreeSurface(s);
}

// A strip whose every pixel has its own value: 1 + x + y * width.
SDL_Surface *numbered_strip(int w, int h)
{
    SDL_Surface *s = screen_format_surface(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            put_pixel(s, x, y, 1 + x + y * w);
    return s;
}

Uint32 number_at(int w, int x, int y) { return 1 + x + y * w; }

TEST(Transforms, TurnKeepsFramesApartAndPutsCornersRight)
{
    open_test_screen();
    SDL_Surface *strip = numbered_strip(64, 32);
    SDL_Surface *turned = turn_frames(strip);
    ASSERT_EQ(64, turned->w);
    ASSERT_EQ(32, turned->h);
    EXPECT_TRUE(turned->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(SDL_MapRGB(turned->format, 0, 255, 0), turned->format->colorkey);

    EXPECT_EQ(number_at(64, 0, 0), locked_pixel(turned, 31, 0));     // top-left -> top-right
    EXPECT_EQ(number_at(64, 31, 0), locked_pixel(turned, 31, 31));   // top-right -> bottom-right
    EXPECT_EQ(number_at(64, 0, 31), locked_pixel(turned, 0, 0));     // bottom-left -> top-left
    EXPECT_EQ(number_at(64, 32, 0), locked_pixel(turned, 63, 0));    // second frame's own corner
    EXPECT_EQ(number_at(64, 40, 5), locked_pixel(turned, 32 + 31 - 5, 8));
    // Each half holds only pixels of its own frame.
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++) {
            Uint32 p = locked_pixel(turned, x, y);
            int source_x = (p - 1) % 64;
            ASSERT_EQ(x / 32, source_x / 32) << "pixel " << x << "," << y;
        }
    SDL_FreeSurface(turned);
    SDL_FreeSurface(strip);
}

TEST(Transforms, FourTurnsAndTwoMirrorsGiveTheStartBack)
{
    open_test_screen();
    SDL_Surface *strip = numbered_strip(64, 32);
    SDL_Surface *mirrored = mirror_frames(strip);
    EXPECT_EQ(number_at(64, 0, 0), locked_pixel(mirrored, 31, 0));
    EXPECT_EQ(number_at(64, 0, 7), locked_pixel(mirrored, 31, 7));
    EXPECT_EQ(number_at(64, 33, 9), locked_pixel(mirrored, 62, 9));
    SDL_Surface *back = mirror_frames(mirrored);
    EXPECT_EQ(all_pixels(strip), all_pixels(back));

    SDL_Surface *turned = SDL_ConvertSurface(strip, strip->format, SDL_SWSURFACE);
    for (int i = 0; i < 4; i++) {
        SDL_Surface *next = turn_frames(turned);
        if (i < 3) {
            EXPECT_NE(all_pixels(strip), all_pixels(next)) << "after " << i + 1 << " turns";
        }
        SDL_FreeSurface(turned);
        turned = next;
    }
    EXPECT_EQ(all_pixels(strip), all_pixels(turned));
    SDL_FreeSurface(turned);
    SDL_FreeSurface(back);
    SDL_FreeSurface(mirrored);
    SDL_FreeSurface(strip);
}

TEST(Transforms, OnlyWholeFramesAreCopied)
{
    open_test_screen();
    SDL_Surface *narrow = numbered_strip(20, 32);
    SDL_Surface *turned = turn_frames(narrow);
    EXPECT_EQ(20, turned->w);
    EXPECT_EQ(32, turned->h);
    for (Uint32 p : all_pixels(turned))
        ASSERT_EQ(0u, p);

    // Columns past the last whole frame and rows below 32 stay as created.
    SDL_Surface *odd = numbered_strip(40, 36);
    SDL_Surface *mirrored = mirror_frames(odd);
    EXPECT_EQ(number_at(40, 0, 0), locked_pixel(mirrored, 31, 0));
    EXPECT_EQ(0u, locked_pixel(mirrored, 35, 3));
    EXPECT_EQ(0u, locked_pixel(mirrored, 3, 33));

    // A strip lower than a frame: nothing is read or written outside it.
    SDL_Surface *low = numbered_strip(64, 10);
    SDL_Surface *low_turned = turn_frames(low);
    EXPECT_EQ(number_at(64, 0, 0), locked_pixel(low_turned, 31, 0));
    for (SDL_Surface *s : {narrow, turned, odd, mirrored, low, low_turned})
        SDL_FreeSurface(s);
}

TEST(Loading, BitmapsComeInTheScreenFormat)
{
    open_test_screen();
    std::string root = enter_scratch_tree(false);
    mkdir("data", 0755);
    save_flat_bmp("data/flat.bmp", 7, 5, 248, 0, 0);
    save_flat_bmp("data/green.bmp", 4, 4, 0, 255, 0);

    SDL_Surface *plain = load_bitmap("data/", "flat.bmp");
    EXPECT_STREQ("data/flat.bmp", text_buffer);
    EXPECT_EQ(7, plain->w);
    EXPECT_EQ(screen->format->BitsPerPixel, plain->format->BitsPerPixel);
    EXPECT_EQ(SDL_MapRGB(screen->format, 248, 0, 0), locked_pixel(plain, 6, 4));
    EXPECT_FALSE(plain->flags & SDL_SRCCOLORKEY);

    SDL_Surface *keyed = load_keyed_bitmap("data/", "green.bmp");
    EXPECT_TRUE(keyed->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(SDL_MapRGB(keyed->format, 0, 255, 0), keyed->format->colorkey);
    EXPECT_EQ(keyed->format->colorkey, locked_pixel(keyed, 0, 0));
    SDL_FreeSurface(plain);
    SDL_FreeSurface(keyed);
    leave_scratch_tree(root);
}

TEST(LoadingDeathTest, UnreadableBitmapEndsTheProgramWithItsPath)
{
    open_test_screen();
    std::string root = enter_scratch_tree(false);
    mkdir("data", 0755);
    save_flat_bmp("data/good.bmp", 32, 32, 10, 20, 30);
    std::string good = read_file("data/good.bmp");
    write_file("data/empty.bmp", "");
    write_file("data/header_only.bmp", good.substr(0, 20));
    write_file("data/truncated.bmp", good.substr(0, good.size() / 2));
    write_file("data/garbage.bmp", std::string(3000, '\x7f'));
    std::string lying = good;   // a header that claims a huge picture
    lying[18] = lying[19] = lying[20] = '\x7f';
    write_file("data/lying.bmp", lying);
    std::string odd_depth = good;   // 6147 bits a pixel: SDL decodes it but cannot convert it
    odd_depth[28] = '\x03';
    odd_depth[29] = '\x18';
    write_file("data/odd_depth.bmp", odd_depth);
    std::string tall = good;        // 2^31 rows claimed: refused from the header
    tall.replace(22, 4, std::string("\x00\x00\x00\x80", 4));
    write_file("data/tall.bmp", tall);

    for (const char *name : {"missing.bmp", "empty.bmp", "header_only.bmp", "truncated.bmp",
                             "garbage.bmp", "lying.bmp", "odd_depth.bmp", "tall.bmp"}) {
        std::string message = std::string("ERROR nacteni obrazku:data/") + name + "\n";
        EXPECT_EXIT(
            {
                stdout_to_stderr();
                load_bitmap("data/", name);
            },
            testing::ExitedWithCode(1), message)
            << name;
    }
    EXPECT_EXIT(
        {
            stdout_to_stderr();
            load_keyed_bitmap("skins/none/", "zed.bmp");
        },
        testing::ExitedWithCode(1), "ERROR nacteni obrazku:skins/none/zed\\.bmp\n");
    // Without a video mode nothing can be converted: refused the same way.
    EXPECT_EXIT(
        {
            stdout_to_stderr();
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            load_bitmap("data/", "good.bmp");
        },
        testing::ExitedWithCode(1), "ERROR nacteni obrazku:data/good\\.bmp\n");
    leave_scratch_tree(root);
}

}  // namespace
