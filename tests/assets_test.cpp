// The committed asset files: every one decodes, and the sizes and clip lengths the game's layout relies on hold.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/captions.h"
#include "shell/state/manifest.h"
#include "story_script.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <dirent.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
const std::string Dir = TUMBLEWING_ASSETS_DIR;

struct Pictures : ::testing::Test {
    static std::map<Picture, sf::Image>& images() {
        static std::map<Picture, sf::Image> loaded;
        return loaded;
    }
    static void SetUpTestSuite() {
        for (const PictureFile& f : pictureFiles) images()[f.picture].loadFromFile(Dir + "/" + f.file);
    }
    static sf::Vector2u size(Picture p) { return images()[p].getSize(); }
};

float secondsOf(Clip c) {
    sf::InputSoundFile file;
    if (!file.openFromFile(Dir + "/" + fileOf(c))) return -1.f;
    return file.getDuration().asSeconds();
}
}  // namespace

TEST(AssetFolder, HoldsExactlyTheManifest) {
    std::set<std::string> expected;
    for (const ClipFile& f : clipFiles) expected.insert(f.file);
    for (const PictureFile& f : pictureFiles) expected.insert(f.file);
    std::set<std::string> present;
    DIR* dir = opendir(Dir.c_str());
    ASSERT_NE(dir, nullptr);
    while (dirent* e = readdir(dir))
        if (e->d_name[0] != '.') present.insert(e->d_name);
    closedir(dir);
    EXPECT_EQ(expected.size(), 47u);
    expected.insert("captions");  // and the folder of the captions, loaded only when asked for
    EXPECT_EQ(present, expected);
}

TEST_F(Pictures, EveryPictureDecodes) {
    for (const PictureFile& f : pictureFiles) {
        const sf::Vector2u s = size(f.picture);
        EXPECT_GT(s.x * s.y, 0u) << f.file;
    }
}

TEST_F(Pictures, FullWindowLayersCoverTheWindow) {
    for (Picture p : {Picture::Black, Picture::White, Picture::Gray, Picture::YouWin, Picture::YouLose})
        EXPECT_EQ(size(p), sf::Vector2u(800, 600)) << fileOf(p);
    // The curtain must really be black and opaque, or the start screen shows through.
    const sf::Image& black = images()[Picture::Black];
    EXPECT_EQ(black.getPixel(0, 0), sf::Color::Black);
    EXPECT_EQ(black.getPixel(799, 599), sf::Color::Black);
}

TEST_F(Pictures, PicturesThatReplaceEachOtherMatchInSize) {
    EXPECT_EQ(size(Picture::White), size(Picture::Gray));
    EXPECT_EQ(size(Picture::KestraCute), size(Picture::KestraCuteFlip));
    EXPECT_EQ(size(Picture::VexmorBest), size(Picture::Void));
    EXPECT_EQ(size(Picture::OrdinaryCloud), size(Picture::CandyCloud));
}

TEST_F(Pictures, BackdropsCoverTheWindowForTheirWholeScroll) {
    // The sky travels about 70 px, the candy sky about 265, the forest about 2030.
    EXPECT_EQ(size(Picture::NimbaraBest).y, 600u);
    EXPECT_EQ(size(Picture::CandyNimbaraBest).y, 600u);
    EXPECT_EQ(size(Picture::ThornmereBest).y, 600u);
    EXPECT_GE(size(Picture::NimbaraBest).x, 1100u);
    EXPECT_GE(size(Picture::CandyNimbaraBest).x, 1100u);
    EXPECT_GE(size(Picture::ThornmereBest).x, 2900u);
    for (Picture p : {Picture::NimbaraBest, Picture::CandyNimbaraBest, Picture::ThornmereBest}) {
        const sf::Image& image = images()[p];
        const sf::Vector2u s = image.getSize();
        for (unsigned x = 0; x < s.x; x += 97)
            for (unsigned y = 0; y < s.y; y += 53) ASSERT_EQ(image.getPixel(x, y).a, 255) << fileOf(p);
    }
}

TEST_F(Pictures, ActorsFitTheirBoxes) {
    auto near = [](sf::Vector2u s, unsigned w, unsigned h) {
        return s.x + 6 >= w && s.x <= w + 6 && s.y + 6 >= h && s.y <= h + 6;
    };
    EXPECT_TRUE(near(size(Picture::KestraCute), 45, 45));
    for (Picture p : {Picture::TrainingColumn, Picture::NightdartBest, Picture::BestGriffin, Picture::Column,
                      Picture::Enemy, Picture::NewColumn, Picture::Nightdart, Picture::Kestra})
        EXPECT_TRUE(near(size(p), 40, 40)) << fileOf(p);
    EXPECT_EQ(size(Picture::LightningCloud), sf::Vector2u(200, 100));
    const sf::Vector2u vexmor = size(Picture::VexmorBest);
    EXPECT_GE(vexmor.x, 30u);
    EXPECT_GE(vexmor.y, 80u);
    // Life icons sit 75 and 150 px apart in their rows.
    EXPECT_LE(size(Picture::LivesKestra).x, 75u);
    EXPECT_LE(size(Picture::LivesVexmor).x, 150u);
    EXPECT_LE(size(Picture::LivesVexmor).y, 75u);  // the row at y = 525 stays in the window
}

TEST_F(Pictures, TheJpegObstacleIsOpaque) {
    const sf::Image& enemy = images()[Picture::Enemy];
    for (unsigned x = 0; x < enemy.getSize().x; ++x)
        for (unsigned y = 0; y < enemy.getSize().y; ++y) ASSERT_EQ(enemy.getPixel(x, y).a, 255);
}

TEST(Clips, EveryClipDecodesAndEndsBeforeTheNextStarts) {
    struct Slot {
        Clip clip;
        float startsAt;  // on the story clock
    };
    const Slot timeline[] = {
        {Clip::ABeautiful, 0},          {Clip::ItIsMuch, 22},          {Clip::HeTurnsThe, 28},
        {Clip::SwarmsOfHis, 35},        {Clip::FollowedByHordes, 55},  {Clip::RainbowWonders, 85},
        {Clip::WithAFlash, 92},         {Clip::SheSeesA, 101},         {Clip::SheWillTake, 107},
        {Clip::SwarmsOfVexmors, 150},   {Clip::ItSeemsVexmorHas, 218}, {Clip::FinallyCatchingUp, 225},
        {Clip::NotEntirelyCertain, 235}};
    for (std::size_t i = 0; i + 1 < std::size(timeline); ++i) {
        const float length = secondsOf(timeline[i].clip);
        EXPECT_GT(length, 1.f) << fileOf(timeline[i].clip);
        EXPECT_LT(length, timeline[i + 1].startsAt - timeline[i].startsAt) << fileOf(timeline[i].clip);
    }
    EXPECT_GT(secondsOf(Clip::NotEntirelyCertain), 1.f);
    for (Clip c : {Clip::AShockOf, Clip::WithVexmorCooked}) {
        EXPECT_GT(secondsOf(c), 1.f) << fileOf(c);
        EXPECT_LT(secondsOf(c), 5.f) << fileOf(c);
    }
}

TEST_F(Pictures, TheBackdropCoversTheWindowInEveryFrameOfTheStory) {
    Harness h(4);
    ASSERT_TRUE(h.start());
    int frames = 0;
    playThroughStory(h, [&](Harness& run) {
        const DrawCall& backdrop = run.last().draws.front();
        const sf::Vector2u s = size(backdrop.picture);
        ++frames;
        ASSERT_LE(backdrop.position.x, 0.f) << "frame " << run.frameCount();
        ASSERT_GE(backdrop.position.x + static_cast<float>(s.x), 800.f)
            << fileOf(backdrop.picture) << " at x = " << backdrop.position.x << ", frame " << run.frameCount();
        ASSERT_EQ(backdrop.position.y, 0.f);
    });
    EXPECT_GT(frames, 60 * 240);
}

namespace {
// The mean square of the samples from `from` to `until` seconds into the clip, all channels.
double power(const std::string& file, double from, double until) {
    sf::InputSoundFile sound;
    if (!sound.openFromFile(file)) return -1.0;
    const double rate = sound.getSampleRate() * sound.getChannelCount();
    sound.seek(sf::seconds(static_cast<float>(from)));
    std::vector<sf::Int16> samples(static_cast<std::size_t>((until - from) * rate));
    samples.resize(sound.read(samples.data(), samples.size()));
    double sum = 0.0;
    for (sf::Int16 s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? -1.0 : sum / static_cast<double>(samples.size());
}
}  // namespace

TEST(Captions, EveryClipIsCaptionedToItsEndWithPicturesOfAtMostTwoLines) {
    std::ifstream file(Dir + "/captions/captions.txt");
    std::vector<Caption> table;
    std::string error;
    ASSERT_TRUE(parseCaptions(file, table, error)) << error;  // every clip in order, captions end to end
    std::set<std::string> expected{"captions.txt"};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Caption& c = table[i];
        expected.insert(c.picture);
        sf::Image picture;
        ASSERT_TRUE(picture.loadFromFile(Dir + "/captions/" + c.picture)) << c.picture;
        EXPECT_EQ(picture.getSize().x, 800u) << c.picture;  // a band across the window
        EXPECT_GE(picture.getSize().y, 50u) << c.picture;   // a line of text at least 30 px high
        EXPECT_LE(picture.getSize().y, 100u) << c.picture;  // two lines at most
        const bool lastOfClip = i + 1 == table.size() || table[i + 1].clip != c.clip;
        if (lastOfClip) {
            EXPECT_NEAR(c.until, secondsOf(c.clip), 0.002) << c.picture;
        }
    }
    std::set<std::string> present;
    DIR* dir = opendir((Dir + "/captions").c_str());
    ASSERT_NE(dir, nullptr);
    while (dirent* e = readdir(dir))
        if (e->d_name[0] != '.') present.insert(e->d_name);
    closedir(dir);
    EXPECT_EQ(present, expected);
}

TEST(Captions, ACaptionChangesInThePauseBetweenTwoSentences) {
    std::ifstream file(Dir + "/captions/captions.txt");
    std::vector<Caption> table;
    std::string error;
    ASSERT_TRUE(parseCaptions(file, table, error)) << error;
    int changes = 0;
    for (const Caption& c : table) {
        if (c.from == 0.f) continue;
        const std::string clip = Dir + "/" + fileOf(c.clip);
        const double speech = power(clip, 0.0, secondsOf(c.clip));
        const double change = power(clip, c.from - 0.03, c.from + 0.03);
        EXPECT_LT(change, speech / 100.0) << c.picture << " begins at " << c.from << " s, in the middle of a word";
        changes += 1;
    }
    EXPECT_GE(changes, 3);
}
