// CSyncPage: the Sync page of Options: the calendar's URL, the user, the password (kept in the
// desktop's secret store), how often to sync, and Sync now.
#pragma once

#include "PreferenceSheet.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tv {

class CSyncPage : public CPreferencePage {
    Q_OBJECT
public:
    explicit CSyncPage(QWidget* parent = nullptr);
    // Section "Sync" of the preferences, and the password to the secret store when it was typed.
    void apply() override;
    // Applies the page and syncs at once with what it shows.
    void syncNow();

    QLineEdit* urlEdit() const { return m_url; }
    QLineEdit* userEdit() const { return m_user; }
    QLineEdit* passwordEdit() const { return m_password; }
    QSpinBox* minutesBox() const { return m_minutes; }
    QPushButton* syncButton() const { return m_syncNow; }
    QLabel* statusLabel() const { return m_status; }

private:
    void showStatus();

    QLineEdit* m_url;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QSpinBox* m_minutes;
    QPushButton* m_syncNow;
    QLabel* m_status;
    bool m_passwordTyped = false;
};

}  // namespace tv
