#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "screens/KeyboardLayouts.h"
#include "support/TestStation.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int keyIndex(const QList<KeySpec> &layout, const QString &caption)
{
    for (const KeySpec &key : layout) {
        if (key.caption == caption)
            return key.index;
    }
    qFatal("no key with the caption \"%s\"", qPrintable(caption));
}

void insertRows(const QSqlDatabase &db, const QString &sql, const QList<QVariantList> &rows)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        qFatal("cannot prepare %s", qPrintable(sql));
    for (const QVariantList &row : rows) {
        for (const QVariant &value : row)
            query.addBindValue(value);
        if (!query.exec())
            qFatal("cannot insert test rows");
    }
}

} // namespace

ScreenDriver::ScreenDriver(QWidget &window)
    : m_window(window)
{
}

QWidget *ScreenDriver::widget(const QString &name) const
{
    auto *found = m_window.findChild<QWidget *>(name);
    if (!found)
        qFatal("the main window has no control named %s", qPrintable(name));
    return found;
}

void ScreenDriver::tap(const QString &name) const
{
    QWidget *target = widget(name);
    if (!target->isVisible())
        QTest::qFail(qPrintable(u"tapped a hidden control "_s + name), __FILE__, __LINE__);
    QTest::mouseClick(target, Qt::LeftButton);
}

void ScreenDriver::hover(const QString &name) const
{
    QTest::mouseMove(widget(name));
}

void ScreenDriver::tapEntry(const QString &listName, int row) const
{
    auto *list = get<ListBox>(listName);
    const QRect entry = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
}

void ScreenDriver::typeCustomer(const QStringList &captions) const
{
    for (const QString &caption : captions)
        tap(Control::arrayName(u"Label1"_s, keyIndex(KeyboardLayouts::customerKeyboard(), caption)));
}

void ScreenDriver::typeProduct(const QStringList &captions) const
{
    for (const QString &caption : captions)
        tap(Control::arrayName(u"Label8"_s, keyIndex(KeyboardLayouts::productKeyboard(), caption)));
}

void ScreenDriver::typeKeypad(const QString &keys) const
{
    for (QChar key : keys) {
        if (key == u'C')
            tap(u"Image10"_s);
        else if (key == u'E')
            tap(u"Image12"_s);
        else if (key == u'0')
            tap(u"Image11"_s);
        else
            tap(u"Image"_s + key);
    }
}

QString ScreenDriver::text(const QString &name) const
{
    QWidget *control = widget(name);
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    qFatal("control %s shows no text", qPrintable(name));
}

int ScreenDriver::backColor(const QString &name) const
{
    return Control::backColor(widget(name));
}

void addAccounts(const QString &folder, const QList<std::pair<QString, QString>> &accounts)
{
    StationData data;
    data.bind(folder);
    QList<QVariantList> rows;
    int code = 1;
    for (const auto &[title, group] : accounts)
        rows.append({QString::number(code++), title, group});
    insertRows(data.cari()->database(), u"INSERT INTO Cari(Kod, Unvan, Gurup) VALUES (?, ?, ?)"_s, rows);
}

void addProducts(const QString &folder, const QStringList &names)
{
    StationData data;
    data.bind(folder);
    QList<QVariantList> rows;
    int code = 100;
    for (const QString &name : names)
        rows.append({QString::number(code++), name, u"Kg"_s});
    insertRows(data.stok()->database(), u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, ?)"_s,
               rows);
}

ScreenFixture::ScreenFixture()
    : m_station(std::make_unique<TestStation>())
{
}

ScreenFixture::~ScreenFixture() = default;

QString ScreenFixture::folder() const
{
    return m_station->stationDir();
}

void ScreenFixture::open()
{
    m_window = std::make_unique<Form1>(folder());
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qFatal("the main window was not shown");
    m_window->activateWindow();
    m_driver = std::make_unique<ScreenDriver>(*m_window);
}
