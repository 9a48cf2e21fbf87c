#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "sheet/DialogUnits.h"
#include "sheet/PageControls.h"
#include "sheet/PageTemplates.h"

class QButtonGroup;

// One page built from its template: every control at its converted place, in template order,
// which Qt also takes as the Tab order. It carries out the model's requests and reports
// clicks on push and radio buttons and every paint back to it.
class CQtPageWidget : public QWidget, public IPageControls {
 public:
  CQtPageWidget(const CPageTemplate& pageTemplate, const CDialogBaseUnits& units,
                QWidget* parent = nullptr);

  void SetCommandHandler(std::function<void(int)> handler) { m_onCommand = std::move(handler); }
  void SetPaintHandler(std::function<void()> handler) { m_onPaint = std::move(handler); }

  QWidget* Control(int id) const;

  std::string GetText(int id) override;
  void SetText(int id, const std::string& text) override;
  int GetCheck(int id) override;
  void SetCheck(int id, int checked) override;
  void CheckRadioButton(int first, int last, int checked) override;
  void LimitText(int id, int maxChars) override;
  void SetFocus(int id) override;
  void SelectAllText(int id) override;

  static QString ObjectName(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* CreateControl(const CControlTemplate& control);

  std::map<int, QWidget*> m_controls;
  QButtonGroup* m_radios = nullptr;
  std::function<void(int)> m_onCommand;
  std::function<void()> m_onPaint;
};
