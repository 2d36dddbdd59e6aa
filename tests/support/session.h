#pragma once
// Drives the real windows as a user would: clicks, typed keys, message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QFontMetricsF>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>
#include <set>

#include "forms/frm_initial.h"
#include "forms/frm_power.h"
#include "forms/frm_result.h"
#include "forms/program.h"
#include "platform/qt/native.h"

using platform::qt::widget;
using platform::qt::to_qstring;

class Session {
public:
    Session()
    {
        QLocale::setDefault(locale());
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

    void click(platform::CommandButton& button) { QTest::mouseClick(widget(button), Qt::LeftButton); }

    // Replaces the box's text by typing: select all, then the keys.
    void type(platform::TextBox& box, const QString& keys)
    {
        QTest::keyClick(widget(box), Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty()) QTest::keyClick(widget(box), Qt::Key_Delete);
        else QTest::keyClicks(widget(box), keys);
    }

    // Chooses the distribution by its button and types into the boxes it
    // shows; an absent text leaves that box as it is.
    using Button = platform::CommandButton forms::frm_initial::*;
    void enter(Button button, const QString& value, const std::optional<QString>& dfnum = {},
               const std::optional<QString>& dfden = {})
    {
        click(main().*button);
        type(main().txt_datavalue, value);
        if (dfnum && main().txt_datadfnum.visible()) type(main().txt_datadfnum, *dfnum);
        if (dfden && main().txt_datadfden.visible()) type(main().txt_datadfden, *dfden);
    }

    // Runs the action; a message box it opens is read and dismissed with OK.
    std::optional<platform::Text> message_from(const std::function<void()>& action)
    {
        std::optional<platform::Text> text;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text().toStdU16String();
                last_title = box->windowTitle().toStdU16String();
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start();
        action();
        poll.stop();
        return text;
    }

    // The C locale, or the user's own where the run names one (the window rows
    // again under German and French, whose separator is a comma).
    static QLocale locale() { return qEnvironmentVariableIsSet("VARENDO_TEST_LOCALE") ? QLocale::system() : QLocale::c(); }
    static char16_t separator() { return locale().decimalPoint().front().unicode(); }

    // The texts of the windows' controls that run past their control: a
    // label's lines, a button's caption, a box's text.
    std::vector<std::string> clipped_texts()
    {
        std::vector<std::string> clipped;
        std::vector<QWidget*> windows{widget(main())};
        if (program.has_result()) windows.push_back(widget(result()));
        if (program.has_power()) windows.push_back(widget(program.power()));
        for (QWidget* window : windows) {
            for (QWidget* control : window->findChildren<QWidget*>()) {
                QString text;
                int room = control->width();
                if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
                if (auto* button = qobject_cast<QPushButton*>(control)) text = button->text(), room -= 4;
                if (auto* box = qobject_cast<QLineEdit*>(control)) text = box->text(), room -= box->hasFrame() ? 8 : 0;
                if (text.isEmpty() || !control->isVisible()) continue;
                const QFontMetricsF metrics(control->font());
                const QStringList lines = text.split('\n');
                for (const QString& line : lines)
                    if (metrics.horizontalAdvance(line) > room) clipped.push_back(line.toStdString());
                if (metrics.lineSpacing() * (lines.size() - 1) + metrics.height() > control->height())
                    clipped.push_back(text.toStdString());
            }
        }
        return clipped;
    }

    forms::Program program;
    int ends = 0;
    platform::Text last_title;
};
