// The caption table's reader, and which captions show where as clips start, restart and overlap.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/caption_files.h"
#include "host/captions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// A table in which the first clip has two captions and every other clip one.
std::string goodTable() {
    std::string text = "# a comment\n\nabeautiful.ogg 0 2.5 abeautiful-1.png\nabeautiful.ogg 2.5 4 abeautiful-2.png\n";
    for (std::size_t i = 1; i < ClipCount; ++i)
        text += std::string(clipFiles[i].file) + " 0 3 caption-" + std::to_string(i) + ".png\n";
    return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(CaptionTable, ReadsAGoodTableAndNamesTheLineOfABadOne) {
    struct Case {
        std::string table;
        std::string error;  // empty: the table is good
    };
    const std::string good = goodTable();
    const Case cases[] = {
        {good, ""},
        {replaced(good, " 0 2.5 ", " 0 2.5 extra "), "line 3: expected CLIPFILE FROM UNTIL PICTURE"},
        {replaced(good, "4 abeautiful-2.png", "4"), "line 4: expected"},
        {replaced(good, "abeautiful.ogg 2.5", "abeautifull.ogg 2.5"), "line 4: no clip is called abeautifull.ogg"},
        {replaced(good, "abeautiful-2.png", "../BLACK.png"), "line 4: ../BLACK.png is not a .png file name"},
        {replaced(good, "abeautiful-2.png", "abeautiful-2.jpg"), "is not a .png file name"},
        {replaced(good, "2.5 4 ", "2.5 2.5 "), "line 4: a caption must end after it begins"},
        {replaced(good, "2.5 4 ", "2.5 nan "), "line 4: expected"},
        {replaced(good, "2.5 4 ", "2.5 1e39 "), "line 4: expected"},
        {replaced(good, "2.5 4 ", "2.6 4 "), "line 4: a caption must begin where the one before it ends"},
        {replaced(good, "itismuch.ogg 0 3", "itismuch.ogg 0.5 3"), "line 5: itismuch.ogg is out of order"},
        {replaced(good, "itismuch.ogg", "heturnsthe.ogg"), "line 5: heturnsthe.ogg is out of order"},
        {replaced(good, "withvexmorcooked.ogg 0 3 caption-14.png\n", ""), "no captions for withvexmorcooked.ogg"},
        {"", "no captions for abeautiful.ogg"},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.table);
        std::vector<Caption> table;
        std::string error;
        const bool read = parseCaptions(in, table, error);
        EXPECT_EQ(read, c.error.empty()) << c.table;
        if (c.error.empty()) {
            ASSERT_EQ(table.size(), ClipCount + 1);
            EXPECT_EQ(table[1].clip, Clip::ABeautiful);
            EXPECT_EQ(table[1].from, 2.5f);
            EXPECT_EQ(table[1].picture, "abeautiful-2.png");
            EXPECT_EQ(table.back().clip, Clip::WithVexmorCooked);
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
}

// Clip A has two captions (0-2 s, 2-4 s), 90 and 50 px high; clip B one of 3 s, 40 px high, half as wide.
struct CaptionsOnScreen : ::testing::Test {
    const Clip A = Clip::ABeautiful, B = Clip::ItIsMuch;
    Captions captions{{{A, 0.f, 2.f, "a-1.png"}, {A, 2.f, 4.f, "a-2.png"}, {B, 0.f, 3.f, "b-1.png"}},
                      {{800.f, 90.f}, {800.f, 50.f}, {400.f, 40.f}},
                      {800.f, 600.f}};

    using Shown = std::vector<std::pair<std::size_t, Vec2>>;
    Shown shown(double now) {
        Shown s;
        for (const CaptionSprite& c : captions.showing(now)) s.emplace_back(c.caption, c.position);
        return s;
    }
};

TEST_F(CaptionsOnScreen, FollowTheirClipFromItsFirstStartAndStackWhenClipsOverlap) {
    struct Step {
        double at;
        std::vector<Clip> starts;  // clips started at `at`, before the frame is drawn
        Shown expected;
    };
    const Vec2 aLow{0.f, 510.f}, a2Low{0.f, 550.f}, bLow{200.f, 560.f};
    const Step steps[] = {
        {0.5, {}, {}},                       // nothing started yet
        {1.0, {A}, {{0, aLow}}},             // the first caption at the bottom
        {1.016, {A}, {{0, aLow}}},           // started again on the next frames: no restart
        {1.033, {A}, {{0, aLow}}},
        {2.99, {}, {{0, aLow}}},
        {3.0, {}, {{1, a2Low}}},             // two seconds after the first start, the second caption
        {4.99, {}, {{1, a2Low}}},            // past 4 s from the first start, up until the latest ends
        {5.04, {}, {}},                      // the clip has ended
        {6.0, {A}, {{0, aLow}}},             // a new start after the end begins again
        {7.0, {B}, {{0, {0.f, 470.f}}, {2, bLow}}},  // B starts: it takes the bottom, A moves above it
        {8.5, {}, {{1, {0.f, 510.f}}, {2, bLow}}},
        {10.0, {}, {}},
    };
    for (const Step& s : steps) {
        for (Clip c : s.starts) captions.started(c, s.at);
        EXPECT_EQ(shown(s.at), s.expected) << "at " << s.at;
    }
}

TEST_F(CaptionsOnScreen, AStartLongAfterTheEndBeginsAgainEvenIfNoFrameWasDrawnBetween) {
    // The replay draws only the frames it is asked for.
    captions.started(Clip::ABeautiful, 1.0);
    captions.started(Clip::ABeautiful, 10.0);
    EXPECT_EQ(shown(10.0), (Shown{{0, {0.f, 510.f}}}));
    captions.started(Clip::ItIsMuch, 20.0);  // clips with no captions are passed over
    captions.started(Clip::HeTurnsThe, 20.0);
    EXPECT_EQ(shown(20.0), (Shown{{2, {200.f, 560.f}}}));
}

// The caption files after the game's 47: the table, then each picture in table order; the first
// that fails is named, with the reason when the fault is the table's or a picture's size.
TEST(CaptionFiles, PicturesComeInOrderAndTheFirstFaultIsNamed) {
    using Got = CaptionFiles::Got;
    const std::size_t table = CaptionFiles::TableFile, first = table + 1, none = 99;
    struct Row {
        const char* name;
        std::string text;
        std::size_t faulty;  // the caption whose picture comes as `got`, in `size`
        Got got;
        Vec2 size;
        std::size_t failedFile;  // none: every file loads
        bool fetched;
        std::string why;
    };
    const Vec2 band(800.f, 200.f);
    const Row rows[] = {
        {"every file as made", goodTable(), none, Got::Loaded, band, none, false, ""},
        {"a band's full size", goodTable(), 0, Got::Loaded, band, none, false, ""},
        {"the table does not read", "", none, Got::Loaded, band, table, true, "no captions for abeautiful.ogg"},
        {"a picture never comes", goodTable(), 2, Got::Missing, band, first + 2, false, ""},
        {"a picture does not decode", goodTable(), 1, Got::Broken, band, first + 1, true, ""},
        {"a picture too high", goodTable(), 0, Got::Loaded, {800.f, 201.f}, first, true,
         "800x201, larger than a caption band"},
        {"a picture too wide", goodTable(), 3, Got::Loaded, {801.f, 20.f}, first + 3, true,
         "801x20, larger than a caption band"},
    };
    for (const Row& r : rows) {
        CaptionFiles files;
        std::vector<std::string> asked;
        const bool loaded = files.readTable(r.text) && files.getPictures([&](std::size_t i, const std::string& name, Vec2& size) {
            asked.push_back(name);
            size = i == r.faulty ? r.size : Vec2(800.f, 40.f);
            return i == r.faulty ? r.got : Got::Loaded;
        });
        ASSERT_EQ(loaded, r.failedFile == none) << r.name;
        for (std::size_t i = 0; i < asked.size(); ++i) EXPECT_EQ(asked[i], files.table()[i].picture) << r.name;
        if (loaded) {
            EXPECT_EQ(asked.size(), ClipCount + 1) << r.name;
            continue;
        }
        EXPECT_EQ(files.failure().file, r.failedFile) << r.name;
        EXPECT_EQ(files.failure().fetched, r.fetched) << r.name;
        const std::string& why = files.failure().why;
        EXPECT_TRUE(r.why.empty() ? why.empty() : why.find(r.why) != std::string::npos) << r.name << ": " << why;
    }

    CaptionFiles files;  // never read, then read and forgotten: the table is what is missing
    const auto never = [](std::size_t, const std::string&, Vec2&) { return Got::Broken; };
    EXPECT_FALSE(files.getPictures(never));
    EXPECT_EQ(files.failure().file, table);
    EXPECT_FALSE(files.failure().fetched);
    ASSERT_TRUE(files.readTable(goodTable()));
    EXPECT_EQ(files.path(table), "captions/captions.txt");
    EXPECT_EQ(files.path(first + 1), "captions/abeautiful-2.png");
    EXPECT_EQ(files.path(first + ClipCount + 1), "");
    EXPECT_FALSE(files.getPictures(never));
    files.forget();
    EXPECT_FALSE(files.getPictures(never));
    EXPECT_EQ(files.failure().file, table);
    EXPECT_FALSE(files.failure().fetched);
}

}  // namespace
