#include "shell/Programpages.h"

#include "mouse/Frmmousepolling.h"
#include "ui/Frmsamples.h"

std::unique_ptr<TBaseFrame> MakeProgramPage(int id, TContainer* host) {
    switch (id) {
        case 1:
            return std::make_unique<TSample1Frame>(host);
        case 2:
            return std::make_unique<TSample2Frame>(host);
        case 24:
            return std::make_unique<TMousePollingFrame>(host);
        default:
            return nullptr;
    }
}
