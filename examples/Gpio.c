/*!
 * @file   Gpio.c
 * @brief  General-purpose input and output pins of the LX20 microcontroller.
 */

#include "Gpio.h"

#define GPIO_BASE       0x40010000u
#define GPIO_PORT(pin)  ((unsigned int)(pin) >> 4)
#define GPIO_BIT(pin)   (1u << ((unsigned int)(pin) & 15u))
#define GPIO_REG(p, r)  (*(volatile unsigned int *)(GPIO_BASE + 0x40u * (p) + (r)))
#define GPIO_MODE(p)    GPIO_REG(p, 0x00u)
#define GPIO_PULL(p)    GPIO_REG(p, 0x08u)
#define GPIO_OUT(p)     GPIO_REG(p, 0x10u)
#define GPIO_IN(p)      GPIO_REG(p, 0x14u)

/*!
 * @brief  Sets the mode of one pin.
 * @param iPin  :{PinHelp.exe} the pin number, 16 * port + bit
 * @param iMode :{GPIO_INPUT,GPIO_OUTPUT,GPIO_ALTERNATE,GPIO_ANALOG}
 * @note   Run PinHelp.exe to pick a pin by its name.
 */
void GpioSetMode(int iPin, int iMode)
{
    unsigned int uShift = 2u * ((unsigned int)iPin & 15u);

    GPIO_MODE(GPIO_PORT(iPin)) &= ~(3u << uShift);
    GPIO_MODE(GPIO_PORT(iPin)) |= (unsigned int)iMode << uShift;
}

/*!
 * @brief  Connects a pull-up or pull-down resistor to an input pin.
 * @param iPin  :{PinHelp.exe}
 * @param iPull :{GPIO_PULL_NONE,GPIO_PULL_UP,GPIO_PULL_DOWN}
 * @note   Run PinHelp.exe to pick a pin by its name.
 */
void GpioSetPull(int iPin, int iPull)
{
    unsigned int uShift = 2u * ((unsigned int)iPin & 15u);

    GPIO_PULL(GPIO_PORT(iPin)) &= ~(3u << uShift);
    GPIO_PULL(GPIO_PORT(iPin)) |= (unsigned int)iPull << uShift;
}

/*!
 * @brief  Drives an output pin low or high.
 * @param iPin   :{PinHelp.exe}
 * @param iLevel :{0,1}
 * @note   Run PinHelp.exe to pick a pin by its name.
 */
void GpioWrite(int iPin, int iLevel)
{
    if (iLevel) {
        GPIO_OUT(GPIO_PORT(iPin)) |= GPIO_BIT(iPin);
    } else {
        GPIO_OUT(GPIO_PORT(iPin)) &= ~GPIO_BIT(iPin);
    }
}

/*!
 * @brief  Reads the level of a pin.
 * @param iPin :{PinHelp.exe}
 * @return 0 or 1
 */
int GpioRead(int iPin)
{
    return (GPIO_IN(GPIO_PORT(iPin)) & GPIO_BIT(iPin)) != 0u;
}

/*!
 * @brief  Inverts the level of an output pin.
 * @param iPin :{PinHelp.exe}
 */
void GpioToggle(int iPin)
{
    GPIO_OUT(GPIO_PORT(iPin)) ^= GPIO_BIT(iPin);
}
