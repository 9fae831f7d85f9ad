#include "journal/JournalChain.h"

#include "station/SettingsStore.h"

#include <QFileInfo>
#include <QtEndian>
#include <sodium.h>

using namespace Qt::StringLiterals;

namespace JournalChain {
namespace {

void addLength(crypto_hash_sha256_state &state, quint64 value)
{
    unsigned char bytes[8];
    qToBigEndian(value, bytes);
    crypto_hash_sha256_update(&state, bytes, sizeof bytes);
}

// One key value per journal file: a station key may serve several station folders.
QString valueName(const QString &journalFile)
{
    const QFileInfo file(journalFile);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return u"KayitZinciri:"_s + (folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName();
}

} // namespace

QByteArray start()
{
    return QByteArray(crypto_hash_sha256_BYTES * 2, '0');
}

QByteArray link(const QByteArray &previous, qint64 id, const QList<Field> &fields)
{
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char *>(previous.constData()),
                              quint64(previous.size()));
    addLength(state, quint64(id));
    // Each field told apart from its neighbours and from no value.
    for (const Field &field : fields) {
        const unsigned char present = field ? 1 : 0;
        crypto_hash_sha256_update(&state, &present, 1);
        if (!field)
            continue;
        addLength(state, quint64(field->size()));
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char *>(field->constData()),
                                  quint64(field->size()));
    }
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    return QByteArray(reinterpret_cast<const char *>(digest), sizeof digest).toHex();
}

bool keptLink(const QString &journalFile, std::optional<Link> &link, QString *problem)
{
    link.reset();
    const StationKey::Lookup found = StationKey().lookup(valueName(journalFile));
    if (!found.readable()) {
        if (problem)
            *problem = found.problem;
        return false;
    }
    if (!found.value)
        return true;
    const QStringList parts = found.value->split(u' ');
    bool idOk = false;
    const qint64 id = parts.value(0).toLongLong(&idOk);
    if (parts.size() != 2 || !idOk || parts[1].size() != int(crypto_hash_sha256_BYTES * 2)) {
        if (problem)
            *problem = u"istasyon anahtarındaki zincir halkası okunamadı"_s;
        return false;
    }
    link = Link{id, parts[1].toLatin1()};
    return true;
}

bool keepLink(const QString &journalFile, const Link &link)
{
    return StationKey().write(valueName(journalFile),
                              QString::number(link.id) + u' ' + QString::fromLatin1(link.hash));
}

} // namespace JournalChain
