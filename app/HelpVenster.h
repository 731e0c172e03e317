#pragma once

#include <QWidget>

// The help window: a page view with back, forward and a contents list.
class THelpVenster : public QWidget {
    Q_OBJECT

public:
    explicit THelpVenster(QWidget* parent = nullptr);
};
