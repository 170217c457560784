#pragma once

#include <QWidget>

namespace quintello {

class AppContext;

// "Salvataggi": the exports of the archive and the default internet address.
class SalvataggiTab : public QWidget {
  Q_OBJECT

 public:
  explicit SalvataggiTab(AppContext& context, QWidget* parent = nullptr);

 private:
  AppContext& context_;
};

}  // namespace quintello
