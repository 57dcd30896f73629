#include "cqv58_app.h"

int main(int argc, char **argv)
{
    teb::gui::CQV58App application;
    return application.start(argc, argv);
}
