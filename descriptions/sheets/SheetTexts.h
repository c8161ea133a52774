#pragma once

#include <string_view>
#include <vector>

// The sample data sheets' own text: made-up ratings for trying the viewer, not the maker's data.
namespace descriptions {

struct Rating {
    const char* name;
    const char* unit;
    const char* value;
};

struct SheetText {
    const char* key;         // the product's catalogue key
    const char* title;       // the sheet's heading
    const char* description; // a short paragraph
    std::vector<Rating> ratings;
    std::vector<Rating> dimensions; // a second page when not empty
};

// The sheet of a catalogue key, or nullptr.
const SheetText* FindSheetText(std::string_view key);

} // namespace descriptions
