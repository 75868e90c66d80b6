// ISyncSecrets over QtKeychain.
#include "SyncSecrets.h"

#include <qt6keychain/keychain.h>

namespace tv {

namespace {

const QString kService = QStringLiteral("Tallyvane");

QString Why(const QKeychain::Job* job);

class KeychainSecrets final : public ISyncSecrets {
public:
    void Read(const QString& key, QObject* context, std::function<void(bool, const QString&)> done) override {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        job->setKey(key);
        job->setAutoDelete(true);
        QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job* j) {
            if (j->error() == QKeychain::EntryNotFound) return done(true, QString());
            if (j->error() != QKeychain::NoError) return done(false, Why(j));
            done(true, static_cast<QKeychain::ReadPasswordJob*>(j)->textData());
        });
        job->start();
    }
    void Write(const QString& key, const QString& password, QObject* context,
               std::function<void(bool, const QString&)> done) override {
        QKeychain::Job* job = nullptr;
        if (password.isEmpty()) {
            job = new QKeychain::DeletePasswordJob(kService);
        } else {
            auto* write = new QKeychain::WritePasswordJob(kService);
            write->setTextData(password);
            job = write;
        }
        job->setKey(key);
        job->setAutoDelete(true);
        // Never the settings file, even where the desktop has no secret store.
        job->setInsecureFallback(false);
        QObject::connect(job, &QKeychain::Job::finished, context, [done, password](QKeychain::Job* j) {
            const bool gone = password.isEmpty() && j->error() == QKeychain::EntryNotFound;
            done(j->error() == QKeychain::NoError || gone, Why(j));
        });
        job->start();
    }
};

ISyncSecrets* g_testing = nullptr;

QString Why(const QKeychain::Job* job) {
    if (job->error() == QKeychain::NoBackendAvailable || job->error() == QKeychain::OtherError)
        return QStringLiteral("no secret store answers on this desktop");
    return job->errorString();
}

}  // namespace

QString SyncSecretKey(const QString& url, const QString& user) { return QStringLiteral("CalDAV %1 %2").arg(user, url); }

ISyncSecrets& SyncSecrets() {
    static KeychainSecrets keychain;
    return g_testing ? *g_testing : keychain;
}

void SetSyncSecretsForTesting(ISyncSecrets* secrets) { g_testing = secrets; }

}  // namespace tv
