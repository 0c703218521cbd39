#pragma once
// Makes the card window's activity-code field open the classifier picker.
void InstallClassifierPicker();
