// The game's command line, and where full screen puts the scene.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/options.h"
#include "sfml/window_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Options, EachArgumentListAsksForOneThing) {
    struct Case {
        std::vector<const char*> args;
        Options::Action action;
        bool captions, fullscreen;
        std::string wrong;
    };
    const Case cases[] = {
        {{}, Options::Play, false, false, ""},
        {{"--captions"}, Options::Play, true, false, ""},
        {{"--fullscreen", "--captions"}, Options::Play, true, true, ""},
        {{"--captions", "--help"}, Options::Help, true, false, ""},
        {{"--version", "--help"}, Options::Version, false, false, ""},
        {{"--help", "--fullscreen=yes"}, Options::Wrong, false, false, "--fullscreen=yes"},
        {{"-captions"}, Options::Wrong, false, false, "-captions"},
        {{"--captions", "level2"}, Options::Wrong, true, false, "level2"},
        {{""}, Options::Wrong, false, false, ""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"tumblewing"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const Options o = parseOptions(static_cast<int>(argv.size()), argv.data());
        const std::string shown = argv.size() > 1 ? argv[1] : "(none)";
        EXPECT_EQ(o.action, c.action) << shown;
        EXPECT_EQ(o.captions, c.captions) << shown;
        EXPECT_EQ(o.fullscreen, c.fullscreen) << shown;
        EXPECT_EQ(o.wrong, c.wrong) << shown;
    }
}

TEST(Options, KeysVolumeAndRecordTakeAValueInEitherForm) {
    struct Case {
        std::vector<const char*> args;
        Options::Action action;
        int volume;
        std::string record, wrong;
        std::size_t keys;
    };
    const Case cases[] = {
        {{"--volume", "0", "--record", "run.keys"}, Options::Play, 0, "run.keys", "", 0},
        {{"--volume=50", "--record=a b.keys", "--keys=left:a"}, Options::Play, 50, "a b.keys", "", 1},
        {{"--volume", "-1"}, Options::Wrong, 100, "", "--volume -1", 0},
        {{"--keys", "up=F11"}, Options::Wrong, 100, "", "--keys up=F11", 0},
        {{"--record="}, Options::Wrong, 100, "", "--record=", 0},
        {{"--captions", "--record"}, Options::Wrong, 100, "", "--record", 0},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"tumblewing"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const Options o = parseOptions(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(o.action, c.action) << argv[1];
        EXPECT_EQ(o.volume, c.volume) << argv[1];
        EXPECT_EQ(o.record, c.record) << argv[1];
        EXPECT_EQ(o.wrong, c.wrong) << argv[1];
        EXPECT_EQ(o.keys.keys.size(), c.keys) << argv[1];
        EXPECT_EQ(o.why.empty(), c.action == Options::Play) << argv[1];  // a refused value says why
    }
}

TEST(FullScreen, TheSceneFillsAsMuchAsFitsAt4To3Centred) {
    struct Case {
        unsigned width, height;
        sf::IntRect scene;
    };
    const Case cases[] = {
        {1920, 1080, {240, 0, 1440, 1080}},  // wide: bars left and right
        {3840, 2160, {480, 0, 2880, 2160}},
        {1366, 768, {171, 0, 1024, 768}},    // an odd margin rounds down on the left
        {800, 600, {0, 0, 800, 600}},        // 4:3 exactly: no bars
        {1280, 1024, {0, 32, 1280, 960}},    // tall: bars above and below
        {600, 800, {0, 175, 600, 450}},
    };
    for (const Case& c : cases) EXPECT_EQ(letterbox({c.width, c.height}), c.scene) << c.width << "x" << c.height;
}
