#include "AppNotificationCenter.h"

AppNotificationCenter &AppNotificationCenter::defaultCenter() {
    static AppNotificationCenter *const center = new AppNotificationCenter();
    return *center;
}
