// The browser host's own pieces, natively: its random sequence, keys, hidden time, decoders and caption files.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "shell/state/game.h"
#include "web/asset_files.h"
#include "web/input_queue.h"
#include "web/key_map.h"
#include "web/page_captions.h"
#include "web/page_time.h"
#include "web/random_sequence.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

class WebHost : public ::testing::Test {
protected:
    static std::vector<std::uint8_t> file(const std::string& name) {
        std::ifstream in(std::string(TUMBLEWING_ASSETS_DIR) + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Hands `captions` the caption table and pictures as the page would; a picture listed in
    // `instead` comes with those bytes (nullptr: it never comes).
    static void fetchCaptions(PageCaptions& captions,
                              const std::map<std::string, const std::vector<std::uint8_t>*>& instead = {}) {
        const auto table = file("captions/captions.txt");
        ASSERT_TRUE(captions.readTable(std::string(table.begin(), table.end()))) << captions.problem();
        for (std::size_t i = 0; i < captions.pictureCount(); ++i) {
            const std::string name = captions.pictureName(i);
            const auto other = instead.find(name);
            if (other != instead.end() && other->second == nullptr) continue;
            const auto bytes = other != instead.end() ? *other->second : file("captions/" + name);
            std::copy(bytes.begin(), bytes.end(), captions.slot(i, bytes.size()));
        }
    }
};

// Recordings hold only a seed: the browser must deal the values this machine's C library deals.
TEST_F(WebHost, RandomSequenceDealsTheDesktopsValues) {
    for (unsigned seed : {0u, 1u, 2u, 7u, 1000u, 1765432109u, 4294967295u}) {
        RandomSequence mine(seed);
        std::srand(seed);
        for (int i = 0; i < 20000; ++i) ASSERT_EQ(mine.next(), std::rand()) << "seed " << seed << " value " << i;
    }
}

TEST_F(WebHost, OnlyTheGamesFiveKeysAreTakenFromTheBrowser) {
    struct Row {
        const char* name;
        Key key;
        bool taken;
    };
    const Row rows[] = {
        {"ArrowLeft", Key::Left, true},    {"ArrowRight", Key::Right, true}, {"ArrowUp", Key::Up, true},
        {"ArrowDown", Key::Down, true},    {"Enter", Key::Return, true},     {"Escape", Key::Unknown, false},
        {" ", Key::Unknown, false},        {"Tab", Key::Unknown, false},     {"F5", Key::Unknown, false},
        {"a", Key::Unknown, false},        {"Left", Key::Unknown, false},    {"", Key::Unknown, false},
        {"arrowleft", Key::Unknown, false},
    };
    for (const Row& r : rows) {
        const PageKey k = pageKey(r.name);
        EXPECT_EQ(k.key, r.key) << r.name;
        EXPECT_EQ(k.taken, r.taken) << r.name;
    }
}

// A key the player chose is the game's, as its action; letters and digits by what the key shows, then by
// where it lies (a shifted digit), the modifiers by their side.
TEST_F(WebHost, ChosenKeysAreTakenAsTheirActions) {
    KeyChoice chosen;
    std::string error;
    ASSERT_TRUE(parseKeyChoice("left:a,right:1,up:space,down:rshift,strike:lcontrol", chosen, error)) << error;
    struct Row {
        const char *name, *code;
        Key key;
        bool taken;
        Modifiers held{};
    };
    const Modifiers ctrl{true, false, false}, meta{false, false, true};
    const Row rows[] = {
        {"a", "KeyA", Key::Left, true},        {"A", "KeyA", Key::Left, true},  // with Shift held
        {"a", "KeyA", Key::Unknown, false, ctrl},  {"1", "Digit1", Key::Unknown, false, meta},  // the browser's shortcuts
        {"Control", "ControlLeft", Key::Return, true, ctrl},  // a chosen Ctrl is down while it is down
        {"ArrowUp", "ArrowUp", Key::Up, true, ctrl},
        {"q", "KeyA", Key::Unknown, false},    // AZERTY's key where QWERTY has A: it shows Q
        {"!", "Digit1", Key::Right, true},     {"1", "Numpad1", Key::Right, true},
        {" ", "Space", Key::Up, true},         {"Shift", "ShiftRight", Key::Down, true},
        {"Shift", "ShiftLeft", Key::Unknown, false}, {"Tab", "Tab", Key::Unknown, false},
        {"ArrowLeft", "ArrowLeft", Key::Left, true}, {"Enter", "Enter", Key::Return, true},
        {"d", "KeyD", Key::Unknown, false},    {"F11", "F11", Key::Unknown, false},
    };
    for (const Row& r : rows) {
        const PageKey k = pageKey(r.name, r.code, chosen, r.held);
        EXPECT_EQ(k.key, r.key) << r.name << " " << r.code;
        EXPECT_EQ(k.taken, r.taken) << r.name << " " << r.code;
    }
}

// A queue filled by a held key's repeats still takes its release, after every press it kept but the newest.
TEST_F(WebHost, AFullKeyQueueNeverDropsARelease) {
    InputQueue queue;
    const Event press{Event::KeyPressed, Key::Left}, release{Event::KeyReleased, Key::Left};
    for (std::size_t i = 0; i < InputQueue::Capacity + 5; ++i) queue.push(press, 1.0);
    queue.push(release, 2.0);
    ASSERT_EQ(queue.size(), InputQueue::Capacity);
    Event e;
    EXPECT_FALSE(queue.pop(e, 0.5));  // nothing came by then
    for (std::size_t i = 1; i < InputQueue::Capacity; ++i) ASSERT_TRUE(queue.pop(e, 1.0) && e.type == Event::KeyPressed);
    EXPECT_FALSE(queue.pop(e, 1.5));
    ASSERT_TRUE(queue.pop(e, 2.0));
    EXPECT_EQ(e.type, Event::KeyReleased);
}

// Each row: hide/show calls at browser times, then the game time read at a browser time.
TEST_F(WebHost, HiddenTimeIsLeftOutOfTheGamesClock) {
    struct Step {
        char what;  // 'h' hide, 's' show
        double at;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        double readAt;
        double expected;
    };
    const Row rows[] = {
        {"never hidden", {}, 12.5, 12.5},
        {"hidden for ten seconds", {{'h', 5.0}, {'s', 15.0}}, 16.0, 6.0},
        {"read while hidden: stands still", {{'h', 5.0}}, 30.0, 5.0},
        {"two hidden spells add up", {{'h', 2.0}, {'s', 4.0}, {'h', 10.0}, {'s', 13.0}}, 20.0, 15.0},
        {"a second hide changes nothing", {{'h', 2.0}, {'h', 3.0}, {'s', 4.0}}, 5.0, 3.0},
        {"a show without a hide changes nothing", {{'s', 3.0}}, 5.0, 5.0},
    };
    for (const Row& r : rows) {
        PageTime t;
        for (const Step& s : r.steps) {
            if (s.what == 'h') t.hide(s.at);
            else t.show(s.at);
        }
        EXPECT_DOUBLE_EQ(t.at(r.readAt), r.expected) << r.name;
    }
    PageTime t;  // the interval handed to the frame schedule
    t.hide(7.0);
    EXPECT_DOUBLE_EQ(t.show(17.0), 7.0);
    EXPECT_DOUBLE_EQ(t.show(18.0), 18.0);
}

TEST_F(WebHost, FilesAreOfferedInLoadOrder) {
    for (std::size_t i = 0; i < ClipCount; ++i) EXPECT_STREQ(assetName(i), clipFiles[i].file);
    for (std::size_t i = 0; i < PictureCount; ++i) EXPECT_STREQ(assetName(ClipCount + i), pictureFiles[i].file);
    EXPECT_EQ(assetName(AssetFileCount), nullptr);
    AssetFiles files;
    EXPECT_FALSE(files.fetched(3));
    EXPECT_NE(files.slot(3, 10), nullptr);
    EXPECT_TRUE(files.fetched(3));
    EXPECT_EQ(files.slot(AssetFileCount, 10), nullptr);
    // Each file decodes on its own as it comes, and is asked again at start-up: the answer stays.
    const auto put = [&](std::size_t i, const std::vector<std::uint8_t>& bytes) {
        std::copy(bytes.begin(), bytes.end(), files.slot(i, bytes.size()));
    };
    put(assetIndex(Picture::Void), file("Void.png"));
    put(assetIndex(Clip::ItIsMuch), file("Void.png"));
    for (int asked = 0; asked < 2; ++asked) {
        EXPECT_TRUE(files.decode(assetIndex(Picture::Void)));
        EXPECT_FALSE(files.decode(assetIndex(Clip::ItIsMuch)));
        EXPECT_FALSE(files.decode(assetIndex(Clip::ABeautiful)));  // never fetched
    }
    EXPECT_EQ(files.picture(Picture::Void).width, 40);
    // A picture the browser decoded comes as pixels, decoded; a clip never does.
    EXPECT_NE(files.pixels(assetIndex(Picture::Black), 2, 1), nullptr);
    EXPECT_TRUE(files.decode(assetIndex(Picture::Black)));
    EXPECT_EQ(files.pixels(assetIndex(Clip::ABeautiful), 2, 1), nullptr);
    // A clip comes as the samples the page's worker decoded; a picture never does.
    EXPECT_NE(files.samples(assetIndex(Clip::ABeautiful), 1, 22050, 4), nullptr);
    EXPECT_TRUE(files.decode(assetIndex(Clip::ABeautiful)));
    EXPECT_EQ(files.takeClip(Clip::ABeautiful).samples.size(), 4u);
    EXPECT_EQ(files.samples(assetIndex(Picture::Black), 1, 22050, 4), nullptr);
}

// The browser's pictures are the desktop's, pixel for pixel; every clip decodes to sound.
TEST_F(WebHost, EveryFileDecodesAsOnTheDesktop) {
    for (const PictureFile& f : pictureFiles) {
        DecodedPicture mine;
        ASSERT_TRUE(decodePicture(file(f.file), mine)) << f.file;
        sf::Image desktop;
        ASSERT_TRUE(desktop.loadFromFile(std::string(TUMBLEWING_ASSETS_DIR) + "/" + f.file)) << f.file;
        ASSERT_EQ(static_cast<unsigned>(mine.width), desktop.getSize().x) << f.file;
        ASSERT_EQ(static_cast<unsigned>(mine.height), desktop.getSize().y) << f.file;
        EXPECT_TRUE(std::equal(mine.rgba.begin(), mine.rgba.end(), desktop.getPixelsPtr())) << f.file;
    }
    for (const ClipFile& f : clipFiles) {
        DecodedClip clip;
        ASSERT_TRUE(decodeClip(file(f.file), clip)) << f.file;
        EXPECT_GT(clip.samples.size(), std::size_t{22050}) << f.file;  // at least a second of a voice
        EXPECT_EQ(clip.channels, 1) << f.file;
    }
}

// What a broken file is like, as the desktop's bad-input matrix makes them.
TEST_F(WebHost, BrokenFilesDoNotDecode) {
    struct Row {
        const char* name;
        std::vector<std::uint8_t> (*make)(const std::vector<std::uint8_t>& real, const std::vector<std::uint8_t>& other);
    };
    const Row rows[] = {
        {"empty", [](const auto&, const auto&) { return std::vector<std::uint8_t>(); }},
        {"first 100 bytes", [](const auto& real, const auto&) { return std::vector<std::uint8_t>(real.begin(), real.begin() + 100); }},
        {"random bytes", [](const auto& real, const auto&) {
             std::vector<std::uint8_t> v(real.size());
             for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<std::uint8_t>((i * 7919 + 13) % 251);
             return v;
         }},
        {"the other kind", [](const auto&, const auto& other) { return other; }},
    };
    const auto clip = file("abeautiful.ogg"), png = file("Column.png"), jpeg = file("enemy.jpg");
    for (const Row& r : rows) {
        DecodedClip c;
        DecodedPicture p;
        EXPECT_FALSE(decodeClip(r.make(clip, png), c)) << "a clip, " << r.name;
        EXPECT_FALSE(decodePicture(r.make(png, clip), p)) << "a PNG, " << r.name;
        EXPECT_FALSE(decodePicture(r.make(jpeg, clip), p)) << "the JPEG, " << r.name;
    }
}

// The caption files come after the game's; the first that is missing, does not decode or is too big
// for a caption band ends loading, named by its place in that order.
TEST_F(WebHost, CaptionFilesLoadOrNameTheFirstThatFails) {
    const auto clip = file("abeautiful.ogg"), screen = file("BLACK.png");
    const std::size_t first = PageCaptions::TableFile + 1;  // the first caption's picture
    struct Row {
        const char* name;
        std::map<std::string, const std::vector<std::uint8_t>*> instead;
        bool loads;
        std::size_t failedFile;
        bool fetched;
    };
    const Row rows[] = {
        {"every file as made", {}, true, 0, false},
        {"a picture never comes", {{"heturnsthe-1.png", nullptr}}, false, first + 3, false},
        {"a picture is a clip", {{"itismuch-1.png", &clip}}, false, first + 2, true},
        {"a picture is bigger than a band", {{"abeautiful-2.png", &screen}}, false, first + 1, true},
        {"the first in order is named",
         {{"swarmsofhis-2.png", nullptr}, {"itismuch-1.png", &clip}}, false, first + 2, true},
    };
    for (const Row& r : rows) {
        PageCaptions captions;
        fetchCaptions(captions, r.instead);
        std::vector<DecodedPicture> pictures;
        ASSERT_EQ(captions.decode(pictures), r.loads) << r.name;
        if (r.loads) {
            EXPECT_EQ(pictures.size(), captions.pictureCount());
            EXPECT_EQ(pictures[0].width, ScreenWidth);
        } else {
            EXPECT_EQ(captions.failedFile(), r.failedFile) << r.name;
            EXPECT_EQ(captions.failedFileFetched(), r.fetched) << r.name;
            // Nothing stale is kept: tried again without a fresh table, the table is what is missing.
            EXPECT_FALSE(captions.decode(pictures)) << r.name;
            EXPECT_EQ(captions.failedFile(), PageCaptions::TableFile) << r.name;
            EXPECT_FALSE(captions.failedFileFetched()) << r.name;
            EXPECT_EQ(captions.slot(0, 10), nullptr) << r.name;
        }
    }
    PageCaptions unread, unreadable;  // the table itself: never fetched, or not a table
    std::vector<DecodedPicture> pictures;
    EXPECT_FALSE(unread.decode(pictures));
    EXPECT_EQ(unread.failedFile(), PageCaptions::TableFile);
    EXPECT_FALSE(unread.failedFileFetched());
    EXPECT_FALSE(unreadable.readTable("abeautiful.ogg 0 1\n"));
    EXPECT_NE(unreadable.problem().find("line 1"), std::string::npos) << unreadable.problem();
    EXPECT_FALSE(unreadable.decode(pictures));
    EXPECT_EQ(unreadable.failedFile(), PageCaptions::TableFile);
    EXPECT_TRUE(unreadable.failedFileFetched());
}

// Captions turned on after clips have started show what is being spoken at once, as if they had
// been on all along; turned off, they show nothing.
TEST_F(WebHost, CaptionsTurnedOnLateShowTheLineBeingSpoken) {
    struct Row {
        const char* name;
        std::vector<double> clip1Starts;  // before the captions come
        bool shown;
        double at;
        const char* picture;  // nullptr: none
    };
    const Row rows[] = {
        {"nothing spoken yet", {}, true, 3.0, nullptr},
        {"clip 1's first line", {1.0}, true, 3.0, "abeautiful-1.png"},
        {"clip 1's second line", {1.0}, true, 8.0, "abeautiful-2.png"},
        {"clip 1 over", {1.0}, true, 11.5, nullptr},
        {"started on three frames: from the first",
         {1.0, 1.0 + 1 / 60.0, 1.0 + 2 / 60.0}, true, 6.91, "abeautiful-2.png"},
        {"turned off", {1.0}, false, 3.0, nullptr},
    };
    for (const Row& r : rows) {
        PageCaptions captions;
        for (double t : r.clip1Starts) captions.started(Clip::ABeautiful, t);
        fetchCaptions(captions);
        std::vector<DecodedPicture> pictures;
        ASSERT_TRUE(captions.decode(pictures));
        captions.begin();
        captions.show(r.shown);
        const auto& showing = captions.showing(r.at);
        ASSERT_EQ(showing.size(), r.picture ? 1u : 0u) << r.name;
        if (r.picture) {
            EXPECT_STREQ(captions.pictureName(showing[0].caption), r.picture) << r.name;
        }
    }
}

}  // namespace
