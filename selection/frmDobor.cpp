#include "selection/frmDobor.h"

frmDobor::frmDobor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDobor"));
    setWindowTitle(QStringLiteral("Dbór wymienników"));
    setModal(true);
}
