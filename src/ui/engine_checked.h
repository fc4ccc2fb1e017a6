#pragma once

namespace ardentix::ui {

// A check box or radio button whose state only the engine changes: a click goes to the engine,
// and the binder shows what it decided.
template <typename Button>
class EngineChecked : public Button {
  public:
    explicit EngineChecked(QWidget* parent) : Button(parent) {}

  protected:
    void nextCheckState() override {}
};

}  // namespace ardentix::ui
