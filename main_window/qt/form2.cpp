#include "form2.h"

#include <QPushButton>

Form2::Form2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("検索結果の保存"));
    resize(345, 139);
    dlg_cmd1 = new QPushButton(QStringLiteral("dlg_cmd1"), this);
    dlg_cmd1->setObjectName(QStringLiteral("dlg_cmd1"));
    dlg_cmd1->setGeometry(208, 32, 81, 33);
}
