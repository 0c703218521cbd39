// Planted: Qt in the register's core.
#include <QString>
