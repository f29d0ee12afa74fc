#include "savefile.h"

#include <QSaveFile>

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error,
                        QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    // flush: a full disk is not always reported otherwise
    const bool written = file.open(QIODevice::WriteOnly) &&
                         (!permissions || file.setPermissions(permissions)) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
