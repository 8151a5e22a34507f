// The 47 asset files: every voice clip and picture, in load order, with its load group.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>

// Voice clips, in load order.
enum class Clip {
    ABeautiful, ItIsMuch, HeTurnsThe, SwarmsOfHis, FollowedByHordes,
    RainbowWonders, WithAFlash, SheSeesA, SheWillTake, SwarmsOfVexmors,
    ItSeemsVexmorHas, FinallyCatchingUp, NotEntirelyCertain, AShockOf, WithVexmorCooked,
    Count
};

// Pictures, in load order.
enum class Picture {
    Black, White, Gray, Void, YouWin, YouLose,                        // group 1
    LivesKestra, LivesVexmor,                                         // group 2
    ArrowUp, ArrowRight, ArrowDown, ArrowLeft, Enter,                 // group 3
    KestraCute, KestraCuteFlip,                                       // group 4
    TrainingColumn, NightdartBest, BestGriffin, Column, Enemy,        // group 5
    NewColumn, Nightdart, Kestra, KitchenSink,
    VexmorBest, VexmorBestSide,                                       // group 6
    NimbaraBest, ThornmereBest, CandyNimbaraBest,                     // group 7
    OrdinaryCloud, CandyCloud, LightningCloud,
    Count
};

constexpr std::size_t ClipCount = static_cast<std::size_t>(Clip::Count);
constexpr std::size_t PictureCount = static_cast<std::size_t>(Picture::Count);
constexpr int PictureGroupCount = 7;

struct ClipFile {
    Clip clip;
    const char* file;
};

struct PictureFile {
    Picture picture;
    int group;
    const char* file;
};

// File names are opened as written, relative to the working directory.
constexpr std::array<ClipFile, ClipCount> clipFiles{{
    {Clip::ABeautiful, "abeautiful.ogg"},
    {Clip::ItIsMuch, "itismuch.ogg"},
    {Clip::HeTurnsThe, "heturnsthe.ogg"},
    {Clip::SwarmsOfHis, "swarmsofhis.ogg"},
    {Clip::FollowedByHordes, "followedbyhordes.ogg"},
    {Clip::RainbowWonders, "rainbowwonders.ogg"},
    {Clip::WithAFlash, "withaflash.ogg"},
    {Clip::SheSeesA, "sheseesa.ogg"},
    {Clip::SheWillTake, "shewilltake.ogg"},
    {Clip::SwarmsOfVexmors, "swarmsofvexmors.ogg"},
    {Clip::ItSeemsVexmorHas, "itsseemsvexmorhas.ogg"},
    {Clip::FinallyCatchingUp, "finallycatchingup.ogg"},
    {Clip::NotEntirelyCertain, "notentirelycertain.ogg"},
    {Clip::AShockOf, "ashockof.ogg"},
    {Clip::WithVexmorCooked, "withvexmorcooked.ogg"},
}};

constexpr std::array<PictureFile, PictureCount> pictureFiles{{
    {Picture::Black, 1, "BLACK.png"},
    {Picture::White, 1, "WHITE.png"},
    {Picture::Gray, 1, "GRAY.png"},
    {Picture::Void, 1, "Void.png"},
    {Picture::YouWin, 1, "youwin.png"},
    {Picture::YouLose, 1, "youlose.png"},
    {Picture::LivesKestra, 2, "liveskestra.png"},
    {Picture::LivesVexmor, 2, "livesvexmor.png"},
    {Picture::ArrowUp, 3, "arrowup.png"},
    {Picture::ArrowRight, 3, "arrowright.png"},
    {Picture::ArrowDown, 3, "arrowdown.png"},
    {Picture::ArrowLeft, 3, "arrowleft.png"},
    {Picture::Enter, 3, "enter.png"},
    {Picture::KestraCute, 4, "Kestracute.png"},
    {Picture::KestraCuteFlip, 4, "Kestracuteflip.png"},
    {Picture::TrainingColumn, 5, "trainingcolumn.png"},
    {Picture::NightdartBest, 5, "Nightdartbest.png"},
    {Picture::BestGriffin, 5, "BestGriffin.png"},
    {Picture::Column, 5, "Column.png"},
    {Picture::Enemy, 5, "enemy.jpg"},
    {Picture::NewColumn, 5, "newcolumn.png"},
    {Picture::Nightdart, 5, "Nightdart.png"},
    {Picture::Kestra, 5, "Kestra.png"},
    {Picture::KitchenSink, 5, "kitchinsink.png"},
    {Picture::VexmorBest, 6, "Vexmorbest.png"},
    {Picture::VexmorBestSide, 6, "Vexmorbestside.png"},
    {Picture::NimbaraBest, 7, "Nimbarabest.png"},
    {Picture::ThornmereBest, 7, "Thornmerebest.png"},
    {Picture::CandyNimbaraBest, 7, "candynimbarabest.png"},
    {Picture::OrdinaryCloud, 7, "ordinarycloudbest.png"},
    {Picture::CandyCloud, 7, "candycloudbest.png"},
    {Picture::LightningCloud, 7, "lightningcloudbest.png"},
}};

constexpr const char* fileOf(Clip clip) { return clipFiles[static_cast<std::size_t>(clip)].file; }
constexpr const char* fileOf(Picture picture) {
    return pictureFiles[static_cast<std::size_t>(picture)].file;
}

// The tables are indexed by their enums; keep them in step.
constexpr bool manifestInOrder() {
    for (std::size_t i = 0; i < ClipCount; ++i)
        if (static_cast<std::size_t>(clipFiles[i].clip) != i) return false;
    int group = 1;
    for (std::size_t i = 0; i < PictureCount; ++i) {
        if (static_cast<std::size_t>(pictureFiles[i].picture) != i) return false;
        if (pictureFiles[i].group != group && pictureFiles[i].group != group + 1) return false;
        group = pictureFiles[i].group;
    }
    return group == PictureGroupCount;
}
static_assert(manifestInOrder(), "asset manifest out of order");
