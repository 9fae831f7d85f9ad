#pragma once

class PackageLabel;
class StationDatabase;

// The label's GTIN, lot and animal reference from the product's extras
// (StokEk) in the products' file.
namespace LabelProductExtras {

// Fills them in for `label.product`; leaves them empty when the product has
// none or the file cannot be read (logged: a GS1 label then says it lacks a GTIN).
void apply(PackageLabel &label, const StationDatabase &stok);

} // namespace LabelProductExtras
