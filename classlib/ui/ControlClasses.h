#pragma once
// Makes every component class of the windowing library known to the class registry, so that
// form files can name them. Forms call it before reading their layout.
void RegisterControlClasses();
