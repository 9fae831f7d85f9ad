#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

class Form1;
class QWidget;
class TestStation;

// Drives the real main window by its controls' object names, the way an
// operator's finger does: a tap is a press and a release with no hovering
// before it.
class ScreenDriver
{
public:
    explicit ScreenDriver(QWidget &window);

    // The named control; stops the test run with the name when it is missing.
    QWidget *widget(const QString &name) const;
    template <typename T>
    T *get(const QString &name) const;

    void tap(const QString &name) const;
    void hover(const QString &name) const;
    void tapEntry(const QString &listName, int row) const;
    // Keys of the customer (Label1) and product (Label8) keyboards, by caption.
    void typeCustomer(const QStringList &captions) const;
    void typeProduct(const QStringList &captions) const;
    // Keypad: digits, "C" clear, "E" enter.
    void typeKeypad(const QString &keys) const;

    QString text(const QString &name) const; // label, line edit or button
    int backColor(const QString &name) const;

private:
    QWidget &m_window;
};

// Station contents for a test: accounts (title, group) and products.
void addAccounts(const QString &folder, const QList<std::pair<QString, QString>> &accounts);
void addProducts(const QString &folder, const QStringList &names);

// One test's station folder and main window over it.
class ScreenFixture
{
public:
    ScreenFixture();
    ~ScreenFixture();

    QString folder() const;
    const TestStation &station() const { return *m_station; }
    // Shows the main window over the folder as it is filled by then.
    void open();
    Form1 &window() const { return *m_window; }
    ScreenDriver &driver() const { return *m_driver; }

private:
    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ScreenDriver> m_driver;
};

template <typename T>
T *ScreenDriver::get(const QString &name) const
{
    T *typed = qobject_cast<T *>(widget(name));
    if (!typed)
        qFatal("control %s is not of the expected kind", qPrintable(name));
    return typed;
}
