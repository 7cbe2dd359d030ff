#pragma once

#include "ui/panel/PanelDialog.h"

#include <functional>

class QLabel;
struct CPublic;

// The maximum-load prompt: the next stage would pass the maximum load, so
// the operator is asked to unload. "确定" (accepted) starts unloading,
// "取消" (rejected) keeps holding the load; the engine applies the answer.
class CXZ : public PanelDialog {
    Q_OBJECT
  public:
    static constexpr int kMessage = 1051;
    static constexpr int kOk = 1049;
    static constexpr int kCancel = 1050;

    CXZ(CPublic& pub, const QString& text, QWidget* parent = nullptr);

    void done(int result) override;

  private:
    CPublic& m_pub;
};

// Shows the prompt over `parent` and returns at once, without a nested event
// loop: the main window's one-second tick (clock, alarms, schedule, live
// values) goes on while the operator decides. `answered` receives true for
// "确定" (unload), false for "取消"; the prompt deletes itself after it.
CXZ* OfferUnloadAtMaxLoad(CPublic& pub, const QString& text, QWidget* parent,
                          std::function<void(bool unload)> answered);
