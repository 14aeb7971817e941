// Creation of every child control of the main window, in start-up order.
#pragma once
void CreateMainControls();
