#include "movie_preference.h"
#include <cstring>
#include "sjis.h"

namespace common {

namespace {

// The stored text equals word, ASCII letters compared without case.
bool storedTextIs(const StoredMovieValue& value, const char* word) {
    const char* text;
    std::size_t length;
    if (!storedText(value, &text, &length) || length >= kMovieValueBufferSize) return false;
    char terminated[kMovieValueBufferSize];
    std::memcpy(terminated, text, length);
    terminated[length] = '\0';
    return equalsNoCase(terminated, word);
}

}  // namespace

bool storedText(const StoredMovieValue& value, const char** text, std::size_t* length) {
    if (!value.found || !value.isString || (!value.data && value.size)) return false;
    const void* end = value.size ? std::memchr(value.data, '\0', value.size) : nullptr;
    *text = value.data ? value.data : "";
    *length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - value.data) : value.size;
    return true;
}

bool menuPlaysMovie(const StoredMovieValue& value) { return !value.found || storedTextIs(value, "Yes"); }

bool toolTicksNoMovie(const StoredMovieValue& value) { return storedTextIs(value, "No"); }

MovieValueText menuValueText(bool play) { return play ? MovieValueText{"Yes", 3} : MovieValueText{"No", 2}; }

MovieValueText toolValueText(bool ticked) {
    return ticked ? MovieValueText{"No", 3} : MovieValueText{"Yes", 4};
}

}  // namespace common
