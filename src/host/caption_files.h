// Loading the caption files, alike for every host: the table first, then each caption's picture, checked in order.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/captions.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The caption files come after the game's 47 in load order: the table is
// file TableFile, caption i's picture file TableFile + 1 + i. A host says
// only how it gets a picture (fetched bytes, a file on disk) and makes its
// texture; the table's rules, the pictures' checks and the order are here.
class CaptionFiles {
public:
    static constexpr std::size_t TableFile = ClipCount + PictureCount;
    static constexpr const char* Folder = "captions/";  // beside the game's files
    static constexpr const char* TableName = "captions.txt";

    // How a host's picture came: loaded (`size` filled in), never fetched,
    // or fetched but not a picture it can show.
    enum class Got { Loaded, Missing, Broken };
    using GetPicture = std::function<Got(std::size_t caption, const std::string& name, Vec2& size)>;

    // The file that ended loading, in load order; whether its bytes came; and
    // why, in words, when the rules here found the fault ("" when the host's
    // own loading did, which names it in its own way).
    struct Failure {
        std::size_t file = TableFile;
        bool fetched = false;
        std::string why;
    };

    // Reads the table's text; false when it does not read. Reading it again
    // forgets the table before.
    bool readTable(const std::string& text);
    // Forgets the table, as if it had never been fetched.
    void forget();
    const std::vector<Caption>& table() const { return table_; }
    // File `file`'s path from the game's folder ("captions/..."); "" past the last.
    std::string path(std::size_t file) const;

    // Gets every caption's picture in order and checks it fits its band;
    // false at the first that fails, or when the table did not read.
    bool getPictures(const GetPicture& get);
    const Failure& failure() const { return failure_; }
    // The captions, following clips, once every picture is got.
    Captions captions() const;

private:
    bool fail(std::size_t file, bool fetched, std::string why);

    std::vector<Caption> table_;
    Failure tableFailure_;  // how the table itself failed: never fetched until it is read
    std::vector<Vec2> sizes_;
    Failure failure_;
};
