#pragma once

#include <QWidget>

namespace quintello {

class AppContext;

// "Aggiornamenti": new draws from an update file or the maker's archive server, checked
// against the stored ones.
class AggiornamentiTab : public QWidget {
  Q_OBJECT

 public:
  explicit AggiornamentiTab(AppContext& context, QWidget* parent = nullptr);

 private:
  AppContext& context_;
};

}  // namespace quintello
