#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class OutputNamer;
}

// The action name above a press sequence: a line edit of at most 50
// characters, announcing every change of its text.
class OutputNamer : public QWidget
{
    Q_OBJECT

public:
    static constexpr int maximumLength = 50;

    explicit OutputNamer(QWidget *parent = nullptr);
    ~OutputNamer() override;

    QString text() const;
    void setText(const QString &name);

signals:
    void textChanged(const QString &name);

private:
    std::unique_ptr<Ui::OutputNamer> ui;
};
