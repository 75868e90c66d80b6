// The sync password in the desktop's secret store (through QtKeychain), never in the settings
// file. Reading and writing are asynchronous: the store may ask the user to unlock it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace tv {

class ISyncSecrets {
public:
    virtual ~ISyncSecrets() = default;
    // done(ok, password or why not); called on the user-interface thread.
    virtual void Read(const QString& key, QObject* context, std::function<void(bool, const QString&)> done) = 0;
    virtual void Write(const QString& key, const QString& password, QObject* context,
                       std::function<void(bool, const QString&)> done) = 0;
};

// The secret store's key for a calendar and user.
QString SyncSecretKey(const QString& url, const QString& user);

// The process's store: the desktop's secret store unless a test installed another.
ISyncSecrets& SyncSecrets();
void SetSyncSecretsForTesting(ISyncSecrets* secrets);  // null: the desktop's again

}  // namespace tv
