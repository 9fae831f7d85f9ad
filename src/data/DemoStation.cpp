#include "data/DemoStation.h"

#include "station/Windows1254.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t CountAccountsSql[] = u"SELECT COUNT(*) FROM Cari";
constexpr char16_t CountProductsSql[] = u"SELECT COUNT(*) FROM Stok";
constexpr char16_t InsertAccountSql[] =
    u"INSERT INTO Cari(Kod, Unvan, Gurup, Adres, Telefon) VALUES (?, ?, ?, ?, ?)";
constexpr char16_t InsertProductSql[] = u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, ?)";

const QStringList Customers = {
    u"Akın Kasap"_s, u"Ali'nin Kasabı"_s, u"Aydın Et Lokantası"_s, u"Bereket Market"_s,
    u"Boğaziçi Restoran"_s, u"Çağdaş Kebap Salonu"_s, u"Çınar Otel Mutfağı"_s,
    u"Doğan Kasap"_s, u"Ege Et Pazarı"_s, u"Emek Lokantası"_s, u"Gürbüz Şarküteri"_s,
    u"Hacıoğlu Kebap"_s, u"Işık Market"_s, u"İnci Pide Salonu"_s, u"İstanbul Steakhouse"_s,
    u"Kardeşler Kasap"_s, u"Karadeniz Pide"_s, u"Lezzet Durağı"_s, u"Merkez Et Market"_s,
    u"Nur Köfte Evi"_s, u"Ocakbaşı Ali Usta"_s, u"Özlem Catering"_s, u"Park Otel"_s,
    u"Saray Muhallebicisi"_s, u"Sultan Sofrası"_s, u"Şahin Kasap"_s, u"Şölen Düğün Salonu"_s,
    u"Tadım Büfe"_s, u"Uğur Et Ürünleri"_s, u"Ümit Kasap"_s, u"Yıldız Restoran"_s,
    u"Zirve Yemek Fabrikası"_s};

const QStringList Suppliers = {
    u"Anadolu Besi Çiftliği"_s, u"Erzurum Hayvancılık"_s, u"Konya Et Toptan"_s,
    u"Muş Besi Kooperatifi"_s, u"Trakya Et Toptan"_s, u"Yayla Kuzu Üreticileri"_s};

const QStringList Products = {
    u"Adana Kebap Harcı"_s, u"Dana Antrikot"_s, u"Dana Bonfile"_s, u"Dana Ciğer"_s,
    u"Dana Döş"_s, u"Dana İncik"_s, u"Dana Kaburga"_s, u"Dana Kıyma"_s, u"Dana Kontrfile"_s,
    u"Dana Kuşbaşı"_s, u"Dana Yürek"_s, u"Hamburger Köftesi"_s, u"Hindi Göğüs"_s,
    u"İnegöl Köfte"_s, u"Işkembe"_s, u"Kangal Sucuk"_s, u"Kavurma"_s, u"Koyun Kıyma"_s,
    u"Köfte"_s, u"Kuzu But"_s, u"Kuzu Gerdan"_s, u"Kuzu Kol"_s, u"Kuzu Kuşbaşı"_s,
    u"Kuzu Pirzola"_s, u"Pastırma"_s, u"Sucuk"_s, u"Şiş Kebap"_s, u"Tavuk But"_s,
    u"Tavuk Göğüs"_s, u"Tavuk Kanat"_s};

const QStringList Staff = {u"Ahmet Yılmaz"_s, u"Ayşe Demir"_s, u"Mehmet Öztürk"_s,
                           u"Fatma Şahin"_s, u"İsmail Çelik"_s};

const QStringList HeaderLines = {
    u"KORVEL ET ÜRÜNLERİ"_s, u"Organize Sanayi Bölgesi 3. Cadde No:12"_s,
    u"Sincan / ANKARA"_s, u"Tel: 0312 555 01 23"_s, u"Vergi No: 1234567890"_s,
    u"İşletme Kayıt No: 06-0123"_s, u"TR 06-0123"_s, u"10"_s};

const QStringList NameParts = {u"Akdeniz"_s, u"Bereket"_s, u"Çamlıca"_s, u"Dostlar"_s,
                               u"Güneş"_s,   u"Hilal"_s,   u"Işıklar"_s, u"İkbal"_s,
                               u"Kervan"_s,  u"Lale"_s,    u"Öztürk"_s,  u"Şahinler"_s,
                               u"Tuna"_s,    u"Ünal"_s,    u"Yeşil"_s,   u"Zafer"_s};
const QStringList Trades = {u"Kasap"_s, u"Market"_s, u"Restoran"_s, u"Lokanta"_s,
                            u"Şarküteri"_s, u"Kebap"_s};

bool writeTextFile(const QString &path, const QStringList &lines)
{
    if (QFile::exists(path))
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Windows1254::encode(line) + "\r\n";
    file.write(bytes);
    return file.commit();
}

bool isEmpty(const QSqlDatabase &db, const char16_t *countSql)
{
    QSqlQuery query(db);
    return query.exec(QString::fromUtf16(countSql)) && query.next() && query.value(0).toInt() == 0;
}

bool fillAccounts(const QSqlDatabase &db, int extra, QString *error)
{
    QSqlDatabase database = db;
    database.transaction();
    QSqlQuery insert(database);
    if (!insert.prepare(QString::fromUtf16(InsertAccountSql))) {
        *error = u"örnek kayıtlar yazılamadı: "_s + insert.lastError().text();
        return false;
    }
    int code = 1;
    auto add = [&](const QString &title, const QString &group) {
        insert.addBindValue(u"120.%1"_s.arg(code++, 5, 10, QChar(u'0')));
        insert.addBindValue(title);
        insert.addBindValue(group);
        insert.addBindValue(u"Ankara"_s);
        insert.addBindValue(u"0312 %1"_s.arg(5550000 + code));
        return insert.exec();
    };
    bool ok = true;
    for (const QString &title : Customers)
        ok = ok && add(title, u"Müşteri"_s);
    for (const QString &title : Suppliers)
        ok = ok && add(title, u"Toptan"_s);
    for (int i = 0; i < extra && ok; ++i) {
        const QString title = NameParts[i % NameParts.size()] + u' '
                              + NameParts[(i / NameParts.size()) % NameParts.size()] + u' '
                              + Trades[(i / 7) % Trades.size()] + u' ' + QString::number(i + 1);
        ok = add(title, i % 10 == 9 ? u"Toptan"_s : u"Müşteri"_s);
    }
    if (!ok) {
        *error = u"örnek kayıtlar yazılamadı: "_s + insert.lastError().text();
        database.rollback();
        return false;
    }
    return database.commit();
}

bool fillProducts(const QSqlDatabase &db, int extra, QString *error)
{
    QSqlDatabase database = db;
    database.transaction();
    QSqlQuery insert(database);
    if (!insert.prepare(QString::fromUtf16(InsertProductSql))) {
        *error = u"örnek kayıtlar yazılamadı: "_s + insert.lastError().text();
        return false;
    }
    bool ok = true;
    int number = 1;
    auto add = [&](const QString &name) {
        insert.addBindValue(u"2%1"_s.arg(number++, 6, 10, QChar(u'0')));
        insert.addBindValue(name);
        insert.addBindValue(u"Kg"_s);
        return insert.exec();
    };
    for (const QString &name : Products)
        ok = ok && add(name);
    for (int i = 0; i < extra && ok; ++i)
        ok = add(Products[i % Products.size()] + u" Çeşit "_s + QString::number(i + 1));
    if (!ok) {
        *error = u"örnek kayıtlar yazılamadı: "_s + insert.lastError().text();
        database.rollback();
        return false;
    }
    return database.commit();
}

} // namespace

namespace DemoStation {

bool create(const QString &folder, Size size, QString *error)
{
    QString ignored;
    QString &message = error ? *error : ignored;
    if (!QDir().mkpath(folder)) {
        message = u"klasör oluşturulamadı: "_s + folder;
        return false;
    }
    const QDir dir(folder);
    if (!writeTextFile(dir.filePath(u"Tavran.Txt"_s), HeaderLines)
        || !writeTextFile(dir.filePath(u"Personel.Txt"_s), Staff)) {
        message = u"metin dosyaları yazılamadı: "_s + folder;
        return false;
    }
    StationData data;
    data.bind(folder);
    if (!data.cari()->isOpen() || !data.stok()->isOpen() || !data.tavran()->isOpen()) {
        message = u"veritabanları açılamadı: "_s + folder;
        return false;
    }
    if (isEmpty(data.cari()->database(), CountAccountsSql)
        && !fillAccounts(data.cari()->database(), size.extraCustomers, &message))
        return false;
    if (isEmpty(data.stok()->database(), CountProductsSql)
        && !fillProducts(data.stok()->database(), size.extraProducts, &message))
        return false;
    return true;
}

} // namespace DemoStation
