#include "records/core/Cp932.h"

#include <QStringEncoder>

bool Cp932::encode(QStringView text, QByteArray *bytes)
{
    QStringEncoder encoder("CP932");
    if (!encoder.isValid())
        return false;
    QByteArray out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    *bytes = std::move(out);
    return true;
}
