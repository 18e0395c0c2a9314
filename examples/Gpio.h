/* Gpio.h - general-purpose input and output pins of the LX20 microcontroller.
 *
 * A pin is numbered 16 * port + bit: P0.0 is 0, P2.5 is 37.
 */
#ifndef LX20_GPIO_H
#define LX20_GPIO_H

#define GPIO_INPUT      0
#define GPIO_OUTPUT     1
#define GPIO_ALTERNATE  2
#define GPIO_ANALOG     3

#define GPIO_PULL_NONE  0
#define GPIO_PULL_UP    1
#define GPIO_PULL_DOWN  2

void GpioSetMode(int iPin, int iMode);
void GpioSetPull(int iPin, int iPull);
void GpioWrite(int iPin, int iLevel);
int  GpioRead(int iPin);
void GpioToggle(int iPin);

#endif /* LX20_GPIO_H */
