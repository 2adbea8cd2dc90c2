#pragma once

#include <QString>

// The text-column cipher shared by the desktop (Encrypt/Decrypt) and the
// server (Funzioni.DecifraTesto): code points below 128 are shifted by a
// position-keyed table, the rest pass unchanged.
QString Encrypt(const QString& plain);
QString Decrypt(const QString& stored);
