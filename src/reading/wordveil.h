#pragma once

namespace zarfan {

// How a word of the page is drawn while the reader memorises.
enum class WordShow { Whole, Hidden, FirstLetter };

// One word as a page draws it: its aya, and its place (from 1) among that aya's words in the
// script shown.
struct PageWord {
    int sura = 0;
    int aya = 0;
    int word = 0;
    bool operator==(const PageWord &) const = default;
};

// Asked by a page view before it draws each word. A view without a veil draws every word whole.
class WordVeil {
public:
    virtual ~WordVeil() = default;
    virtual WordShow show(const PageWord &word) const = 0;
};

} // namespace zarfan
