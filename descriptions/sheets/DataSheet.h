#pragma once

#include <QString>

namespace descriptions {

struct Product;

// Writes the sample data sheet of a catalogue product to a PDF file of one or two A4 pages: the
// product's name, a short description and a table of ratings. False when the product has no
// sheet text or the file cannot be written; a file that was there stays untouched then.
bool WriteDataSheet(const Product& product, const QString& path);

} // namespace descriptions
