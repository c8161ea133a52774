#pragma once

#include <span>
#include <string>
#include <string_view>

// The maker's products whose descriptions the viewer opens: one PDF file per product.
namespace descriptions {

struct Product {
    const char* key;     // a descriptive product name; the key of its toolbar button
    const char* file;    // the description's file name in the PDF directory
    const char* toolTip; // the button's tooltip: the product's name in words
    const char* picture; // the button's picture (pictures/<name>.svg); "" without a button
};

// The catalogue in toolbar order.
std::span<const Product> Products();

// The file name of a key; "" for a key that is not in the catalogue.
std::string DescriptionFile(std::string_view key);

// The full path the viewer opens for a file name: in test mode the fixed development directory,
// otherwise the PDF directory as held, followed directly by the name.
std::string DescriptionPath(const std::string& name, bool testMode, const std::string& pdfPath);

// The message shown when a description cannot be opened (UTF-8).
std::string MissingDescriptionText(const std::string& name, const std::string& pdfPath);

// Makes the product pictures available as resources; any number of calls.
void RegisterPictures();

// A product picture among the program's icons (for widgets::ProgramIcon), and as a resource path.
std::string IconName(std::string_view picture);
std::string PicturePath(std::string_view picture);

} // namespace descriptions
