#pragma once
// Drives the real windows as a user would: clicks, typed keys, message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>
#include <set>

#include "forms/frm_initial.h"
#include "forms/frm_result.h"
#include "forms/program.h"

class Session {
public:
    Session()
    {
        QLocale::setDefault(QLocale::c());
        platform::set_end_handler([this] { ++ends; });
        program.initial().show();
    }
    ~Session()
    {
        platform::set_end_handler([] {});
        QLocale::setDefault(QLocale::c());
    }

    forms::frm_initial& main() { return program.initial(); }
    forms::frm_result& result() { return program.result(); }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    // Replaces the box's text by typing: select all, then the keys.
    void type(QLineEdit& box, const QString& keys)
    {
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty()) QTest::keyClick(&box, Qt::Key_Delete);
        else QTest::keyClicks(&box, keys);
    }

    // Chooses the distribution by its button and types into the boxes it
    // shows; an absent text leaves that box as it is.
    using Button = platform::CommandButton forms::frm_initial::*;
    void enter(Button button, const QString& value, const std::optional<QString>& dfnum = {},
               const std::optional<QString>& dfden = {})
    {
        click(main().*button);
        type(main().txt_datavalue, value);
        if (dfnum && main().txt_datadfnum.isVisible()) type(main().txt_datadfnum, *dfnum);
        if (dfden && main().txt_datadfden.isVisible()) type(main().txt_datadfden, *dfden);
    }

    // Runs the action; a message box it opens is read and dismissed with OK.
    std::optional<QString> message_from(const std::function<void()>& action)
    {
        std::optional<QString> text;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                last_title = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start();
        action();
        poll.stop();
        return text;
    }

    forms::Program program;
    int ends = 0;
    QString last_title;
};
