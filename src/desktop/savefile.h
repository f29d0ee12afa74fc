#ifndef SCHEDULE_SAVEFILE_H
#define SCHEDULE_SAVEFILE_H

#include <QFileDevice>
#include <QString>

// Replaces the file at `path` with `bytes` in one step (QSaveFile): a crash or a full disk leaves
// the old file whole. The file gets `permissions`, when given. False, with the reason in
// `error`, when the file was not replaced.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error,
                        QFileDevice::Permissions permissions = {});

#endif
