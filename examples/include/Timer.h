/* Timer.h - the three 16-bit timers of the LX20 microcontroller.
 *
 * The documented source is Src/Timer.c, beside this include folder.
 */
#ifndef LX20_TIMER_H
#define LX20_TIMER_H

#define TMR0 0
#define TMR1 1
#define TMR2 2

#define TMR_ONESHOT  0
#define TMR_PERIODIC 1
#define TMR_CAPTURE  2
#define TMR_COMPARE  3

#define TMR_IRQ_NONE     0x00u
#define TMR_IRQ_OVERFLOW 0x01u
#define TMR_IRQ_COMPARE  0x02u

void TmrInit(int iTimer, unsigned int uPrescaler);
void TmrSetMode(int iTimer, int iMode);
void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags);
unsigned int TmrRead(int iTimer);
void TmrStop(int iTimer);
void TmrConfigure(int iTimer, unsigned int uPrescaler, int iMode, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags);

#endif /* LX20_TIMER_H */
