#pragma once
// The windows' frontend for tests: message boxes are answered from a script and recorded, waits only
// let pending events run.
#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "headless/headless.h"
#include "ui/chatter_window.h"
#include "ui/qt_frontend.h"

namespace polmina::test {

class ScriptedFrontend final : public QtFrontend {
 public:
  std::deque<bool> script;     // answers to the next questions
  bool defaultAnswer = false;  // once the script has run out
  std::vector<MessageRecord> messages;
  // Called with each message box while it is up.
  std::function<void(const MessageRecord&)> onMessage;

  // Dialogs shown modally, by objectName. The saving window runs (it closes itself); the others are
  // only recorded.
  std::vector<QString> dialogs;
  // What each chatter window said.
  std::vector<std::u16string> chatter;
  // Called with each dialog while it is up, for a test to look at it or press its buttons.
  std::function<void(QDialog&)> onDialog;
  void runModal(QDialog& dialog) override {
    dialogs.push_back(dialog.objectName());
    if (auto* c = qobject_cast<ChatterWindow*>(&dialog)) chatter.push_back(c->text());
    if (onDialog) onDialog(dialog);
    if (dialog.objectName() == QStringLiteral("SaveFm")) dialog.exec();
  }

  void wait(double seconds) override {
    waited += seconds;
    QCoreApplication::processEvents();
  }
  double waited = 0;

 protected:
  void answeredBeforehand(Question id, std::u16string_view title, std::u16string_view text, bool answer) override {
    messages.push_back({id, std::u16string(title), std::u16string(text), answer, true});
  }
  bool showBox(Question id, std::u16string_view title, std::u16string_view text, bool question) override {
    std::optional<bool> answer;
    if (question) {
      answer = defaultAnswer;
      if (!script.empty()) {
        answer = script.front();
        script.pop_front();
      }
    }
    messages.push_back({id, std::u16string(title), std::u16string(text), answer});
    if (onMessage) onMessage(messages.back());
    return answer.value_or(false);
  }
};

}  // namespace polmina::test
