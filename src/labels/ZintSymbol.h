#pragma once

#include <memory>

struct zint_symbol;

// Owns one libzint symbol; deleted with it whatever path the caller leaves by.
class ZintSymbol
{
public:
    ZintSymbol();

    zint_symbol *get() const { return m_symbol.get(); }
    zint_symbol *operator->() const { return m_symbol.get(); }
    explicit operator bool() const { return m_symbol != nullptr; }

private:
    struct Deleter
    {
        void operator()(zint_symbol *symbol) const;
    };
    std::unique_ptr<zint_symbol, Deleter> m_symbol;
};
