#pragma once

#include <QString>

// Which barcode the package label carries, and the plant's fixed GS1 data,
// from the application settings (`tavran config set --app NAME VALUE`).
struct LabelBarcodeSettings
{
    enum class Kind { Ean13, Gs1_128, Gs1DataMatrix };

    Kind kind = Kind::Ean13;
    QString approvalNumber;  // OnayNo: the plant's approval number, (7030) with UlkeKodu
    QString approvalCountry; // UlkeKodu: ISO 3166 numeric
    QString born;            // DogumUlkesi, (422)
    QString reared;          // BesiUlkesi, (423); up to five codes, comma separated
    QString slaughtered;     // KesimUlkesi, (424)
    QString cut;             // ParcalamaUlkesi, (425); up to five codes
    QString problem;         // Turkish; a setting that cannot be used

    bool isGs1() const { return kind != Kind::Ean13; }

    static LabelBarcodeSettings read();
    // "ean13", "gs1-128", "gs1-datamatrix".
    static QString kindName(Kind kind);
};
