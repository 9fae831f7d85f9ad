#include "labels/ZintSymbol.h"

#include <zint.h>

ZintSymbol::ZintSymbol()
    : m_symbol(ZBarcode_Create())
{
}

void ZintSymbol::Deleter::operator()(zint_symbol *symbol) const
{
    ZBarcode_Delete(symbol);
}
